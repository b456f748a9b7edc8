// The Torch panel's pane and buttons; the sound device behind every sound: five commands per sound,
// and nothing at all while muted, muting included from the contact window; the topic list: a
// topic's document shown with "speak" only, and the status report written byte for byte for every
// kind of stage before it is shown.
#include "progress/Progress.h"
#include "support/CourseFixture.h"

#include "journal/Journal.h"
#include "torch/Torch.h"

#include <QScrollBar>

namespace veltrin::test {
namespace {

class TorchPanel : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse({"greetings.rtf", "resetmsg.rtf", "status.rtf"});
        setFolders();
        progress::FillRequirementTables(program());
        shell::WireTorchControls(program());
        window().topicList->setEditable(true);
    }
};

// Yes and No share a row inside the panel, under the reset question alone (its name in any case;
// another document opening while the question waits shows OK: the reset journey's No). Only OK
// clears AskYesNo.
TEST_F(TorchPanel, OnlyTheQuestionShowsYesAndNoAndOnlyOkEndsIt) {
    state().run.AskYesNo = true;
    torch::ShowTorchDocument(program(), QStringLiteral("resetmsg.rtf"), 0);
    torch::ShowTorchDocument(program(), QString(), 0);
    EXPECT_TRUE(state().run.AskYesNo);
    torch::ShowTorchDocument(program(), QStringLiteral("ResetMsg.RTF"), 0);
    EXPECT_EQ(shownButtons(), QStringList({"Yes", "No"}));
    EXPECT_EQ(window().yesButton->geometry().top(), window().noButton->geometry().top());
    EXPECT_LT(window().yesButton->geometry().right(), window().noButton->geometry().left());
    EXPECT_LE(window().noButton->geometry().right(), window().torchPanel->width());
    torch::ShowTorchDocument(program(), QString(), 0);
    torch::ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 0);
    EXPECT_TRUE(state().run.AskYesNo);
    torch::onOkClicked(program());
    EXPECT_FALSE(state().run.AskYesNo);
}

// Muted is any value but 0; the Torch panel, OK and Ask Torch then send nothing either.
TEST_F(TorchPanel, ASoundIsFiveCommandsAndMutedSoundsSendNothing) {
    torch::PlaySound(program(), QStringLiteral("speak"));
    EXPECT_EQ(sys.sounds.commands, QStringList({"Close", "FileName " + soundDir() + "speak.wav", "Open", "Play", "Prev"}));
    sys.sounds.commands.clear();
    for (std::int16_t muted : {1, -1}) {
        state().settings.SoundsMuted = muted;
        torch::ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 1);
        torch::onOkClicked(program());
        torch::onAskTorchClicked(program());
    }
    EXPECT_TRUE(sys.sounds.commands.isEmpty()) << sys.sounds.commands.join(", ").toStdString();
}

// The pane ends at the panel's edge, so wrapped text and its scroll bar show whole.
TEST_F(TorchPanel, ALongDocumentScrollsInsideThePanel) {
    writeFile(appDir() + "long.rtf", rtfDocument(QStringLiteral("Torch has a great deal to say today. ").repeated(40)));
    window().show();
    torch::ShowTorchDocument(program(), QStringLiteral("long.rtf"), 0);
    const QScrollBar* bar = window().torchPane->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_LE(bar->mapTo(window().torchPanel, QPoint(bar->width(), 0)).x(), window().torchPanel->width());
    EXPECT_EQ(window().torchPane->horizontalScrollBar()->maximum(), 0);
}

// The first line of every generated document, written out here rather than taken from the code.
const QByteArray Header = "{\\f26 {\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
                          "\\red255\\green255\\blue0;\\red128\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
                          "\\red128\\green0\\blue128;\\red192\\green192\\blue192;}\\ql\r\n";

QByteArray report(const QByteArray& title, const QList<QByteArray>& body) {
    QByteArray bytes = Header + "\\cf2 Your Veltrin Title is:\\par\r\n\\cf3 " + title + "\\par\\par\\cf2 \r\n";
    for (const QByteArray& line : body) bytes += line + "\r\n";
    return bytes + "}\r\n";
}

struct StatusCase {
    const char* name;
    int stage;
    void (*progress)(state::ProgramState&);
    QByteArray expected;
};

void setCount(state::ProgramState& s, int row, const char* count) {
    s.SubjectProgress[std::size_t(row)].count = QString::fromLatin1(count);
}

const StatusCase StatusCases[] = {
    {"NothingDone", -1, [](state::ProgramState&) {},
     report("Ascendant", {"Click the \\par Key \\par Button to load the Veltrin Introduction. Click the \\par UP Arrow \\par on the "
                          "right to begin scrolling.\\par",
                          "\\par There are 3 position check-points to pass as you scroll the Introduction."})},
    {"OneCheckpointLeft", 3, [](state::ProgramState& s) { s.StageCounters[core::CheckpointsPassed][4] = 5; },
     report("Level Three Operative of the Inner Realm", {"You have 1 check-point yet to pass as you scroll this level."})},
    // Exploration's extra entries, at the top of the counts' range, do not make up for Needs and Feel;
    // Feel's empty count shows as stored.
    {"SecondPassCappedCounts", 8,
     [](state::ProgramState& s) {
         s.StageCounters[core::CheckpointsPassed][9] = 2;
         setCount(s, 6, "30000");
         setCount(s, 7, "4");
         setCount(s, 8, "");
     },
     report("Level One Commander of the Inner Realm",
            {"You have 3 check-points yet to pass as you scroll this level.", "\\par\\par\\cf1 Exploration\\cf0 ",
             "\\par\\cf1 30000\\cf3  of \\cf2 24\\cf3  complete.\\cf0 ", "\\par\\par\\cf1 Needs\\cf0 ",
             "\\par\\cf1 4\\cf3  of \\cf2 12\\cf3  complete.\\cf0 ", "\\par\\par\\cf1 Feel\\cf0 ",
             "\\par\\cf1 \\cf3  of \\cf2 5\\cf3  complete.\\cf0 ", "\\par\\par There are 13 things to do in this level."})},
    {"LastLevelOneThingLeft", 13,
     [](state::ProgramState& s) {
         s.StageCounters[core::CheckpointsPassed][14] = 6;
         setCount(s, 21, "5");
         setCount(s, 22, "25");
         setCount(s, 23, "24");
         setCount(s, 24, "26");
     },
     report("Level Six Commander of the Inner Realm",
            {"You have 0 check-points yet to pass as you scroll this level.", "\\par\\par\\cf1 Parameters\\cf0 ",
             "\\par\\cf1 5\\cf3  of \\cf2 5\\cf3  complete.\\cf0 ", "\\par\\par\\cf1 Skilling\\cf0 ",
             "\\par\\cf1 25\\cf3  of \\cf2 25\\cf3  complete.\\cf0 ", "\\par\\par\\cf1 Interaction\\cf0 ",
             "\\par\\cf1 24\\cf3  of \\cf2 25\\cf3  complete.\\cf0 ", "\\par\\par\\cf1 Tweaking\\cf0 ",
             "\\par\\cf1 26\\cf3  of \\cf2 25\\cf3  complete.\\cf0 ", "\\par\\par There is 1 thing left to do in this level."})},
    {"CourseFinished", 14, [](state::ProgramState&) {},
     report("Level Seven Commander of the Inner Realm", {"You are a Commander of the Inner Realm.\\par Congradulations."})},
};

class StatusReport : public TorchPanel, public ::testing::WithParamInterface<StatusCase> {};

// The user picks the topic in the topic list at the case's stage.
TEST_P(StatusReport, IsWrittenByteForByteAndShownWithSpeakOnly) {
    GetParam().progress(state());
    state().settings.CourseStage = static_cast<std::int16_t>(GetParam().stage);
    torch::ShowTitle(program());
    window().topicList->setEditText("Status");
    emit window().topicList->activated(window().topicList->currentIndex());
    EXPECT_EQ(readFile(appDir() + "status.rtf"), GetParam().expected);
    EXPECT_EQ(sys.playedSounds(), QStringList{"speak"});
    EXPECT_TRUE(shows("status.rtf"));
}

INSTANTIATE_TEST_SUITE_P(Stages, StatusReport, ::testing::ValuesIn(StatusCases), caseName);

}   // namespace
}   // namespace veltrin::test
