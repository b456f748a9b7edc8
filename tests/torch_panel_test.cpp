// The Torch panel's pane and buttons; the sound device, sent nothing at all while muted; the topic
// list: a topic's document shown with "speak" only, and the status report written byte for byte for
// every kind of stage before it is shown.
#include "progress/Progress.h"
#include "support/CourseFixture.h"

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

// Muted is any value but 0; the Torch panel, OK and Ask Torch then send the sound device nothing.
// (What the device plays, muting from the contact window included, is heard in e2e_sound_test.)
TEST_F(TorchPanel, MutedSoundsSendNothing) {
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

// `passed`: the check-points passed in the stage; `counts`: journal subject rows and their counts as
// stored. The report each case must write is tests/data/status/NAME.rtf, byte for byte.
struct StatusCase {
    const char* name;
    int stage;
    std::int16_t passed;
    std::vector<std::pair<std::size_t, const char*>> counts;
};

// Exploration's extra entries, at the top of the counts' range, do not make up for Needs and Feel;
// Feel's empty count shows as stored.
const StatusCase StatusCases[] = {
    {"NothingDone", -1, 0, {}},
    {"OneCheckpointLeft", 3, 5, {}},
    {"SecondPassCappedCounts", 8, 2, {{6, "30000"}, {7, "4"}, {8, ""}}},
    {"LastLevelOneThingLeft", 13, 6, {{21, "5"}, {22, "25"}, {23, "24"}, {24, "26"}}},
    {"CourseFinished", 14, 0, {}},
};

class StatusReport : public TorchPanel, public ::testing::WithParamInterface<StatusCase> {};

// The user picks the topic in the topic list at the case's stage.
TEST_P(StatusReport, IsWrittenByteForByteAndShownWithSpeakOnly) {
    const StatusCase& c = GetParam();
    if (c.passed) state().StageCounters[core::CheckpointsPassed][std::size_t(c.stage + 1)] = c.passed;
    for (const auto& [row, count] : c.counts) state().SubjectProgress[row].count = QString::fromLatin1(count);
    state().settings.CourseStage = static_cast<std::int16_t>(c.stage);
    torch::ShowTitle(program());
    window().topicList->setEditText("Status");
    emit window().topicList->activated(window().topicList->currentIndex());
    EXPECT_EQ(readFile(appDir() + "status.rtf"), readFile(VELTRIN_TEST_DATA "/status/" + QString(c.name) + ".rtf"));
    EXPECT_EQ(sys.playedSounds(), QStringList{"speak"});
    EXPECT_TRUE(shows("status.rtf"));
}

INSTANTIATE_TEST_SUITE_P(Stages, StatusReport, ::testing::ValuesIn(StatusCases), caseName);

}   // namespace
}   // namespace veltrin::test
