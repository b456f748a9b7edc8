// The Torch panel's pane, and the sound device behind every sound: five commands per sound, and
// nothing at all while muted, muting included from the contact window.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

#include <QScrollBar>

namespace veltrin::test {
namespace {

class TorchPanel : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse({"greetings.rtf", "resetmsg.rtf"});
        setFolders();
    }
};

// Yes and No share a row inside the panel, under the reset question alone (its name in any case):
// any other document opening while the question waits shows OK. Only OK clears AskYesNo.
TEST_F(TorchPanel, OnlyTheQuestionShowsYesAndNoAndOnlyOkEndsIt) {
    state().AskYesNo = true;
    state::ShowTorchDocument(program(), QStringLiteral("resetmsg.rtf"), 0);
    state::ShowTorchDocument(program(), QString(), 0);
    EXPECT_TRUE(state().AskYesNo);
    state::ShowTorchDocument(program(), QStringLiteral("ResetMsg.RTF"), 0);
    EXPECT_EQ(shownButtons(), QStringList({"Yes", "No"}));
    EXPECT_EQ(window().yesButton->geometry().top(), window().noButton->geometry().top());
    EXPECT_LT(window().yesButton->geometry().right(), window().noButton->geometry().left());
    EXPECT_LE(window().noButton->geometry().right(), window().torchPanel->width());
    state::ShowTorchDocument(program(), QString(), 0);
    state::ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 0);
    EXPECT_EQ(shownButtons(), QStringList({"OK"}));
    EXPECT_TRUE(state().AskYesNo);
    torch::onOkClicked(program());
    EXPECT_FALSE(state().AskYesNo);
}

// Muted is any value but 0; the Torch panel, OK and Ask Torch then send nothing either.
TEST_F(TorchPanel, ASoundIsFiveCommandsAndMutedSoundsSendNothing) {
    state::PlaySound(program(), QStringLiteral("speak"));
    EXPECT_EQ(sys.sounds.commands, QStringList({"Close", "FileName " + soundDir() + "speak.wav", "Open", "Play", "Prev"}));
    sys.sounds.commands.clear();
    for (std::int16_t muted : {1, -1}) {
        state().SoundsMuted = muted;
        state::ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 1);
        torch::onOkClicked(program());
        torch::onAskTorchClicked(program());
    }
    EXPECT_TRUE(sys.sounds.commands.isEmpty()) << sys.sounds.commands.join(", ").toStdString();
}

// The pane ends at the panel's edge, so wrapped text and its scroll bar show whole.
TEST_F(TorchPanel, ALongDocumentScrollsInsideThePanel) {
    writeFile(appDir() + "long.rtf", rtfDocument(QStringLiteral("Torch has a great deal to say today. ").repeated(40)));
    window().show();
    state::ShowTorchDocument(program(), QStringLiteral("long.rtf"), 0);
    const QScrollBar* bar = window().torchPane->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_LE(bar->mapTo(window().torchPanel, QPoint(bar->width(), 0)).x(), window().torchPanel->width());
    EXPECT_EQ(window().torchPane->horizontalScrollBar()->maximum(), 0);
}

}   // namespace
}   // namespace veltrin::test
