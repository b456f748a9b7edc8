// The check-points: the reading mark, and what each kind of check-point shows, writes and counts,
// the first time and when scrolled over again, with the user pressing OK at the waits.
#include "support/CourseFixture.h"

#include "base/Numbers.h"
#include "base/TextFile.h"
#include "progress/Progress.h"
#include "reader/Reader.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

class Checkpoints : public CourseFixture {
protected:
    // Beside a stale "NewSubject.rtf" copied from another system, the message just written is shown.
    void SetUp() override {
        writeStartingCourse({"introduction.rtf", "Icons.rtf", "Level One Goal.rtf", "galaxy.rtf", "ambition.rtf"});
        writeFile(appDir() + "NewSubject.rtf", rtfDocument("an old message"));
    }
    // The program as started at a stage, the due level on show at its top.
    void enterStage(int stage) {
        writeSettings(stage, 0);
        shell::FindWindowsDir(program());
        reader::RestoreProgress(program());
    }
    // One forward step of the scroll loop that has reached `position`.
    void stepTo(int position) {
        state().run.ScrollActive = true;
        state().settings.ScrollPos = position;
        progress::RunCheckpoints(program());
    }
    // The document in the Torch panel, in small letters, and whether the new-topic marker shows.
    QString shown() {
        if (window().torchPanel->isHidden()) return {};
        return QFileInfo(window().torchPane->FileName()).fileName().toLower() + (window().newTopicMarker->isHidden() ? "" : " marked");
    }
    void pressOkWhenDocumentShown() {
        sys.script(
            "press OK under the document", [this] { return !window().torchPane->FileName().isEmpty() && !shown().isEmpty(); },
            [this] {
                shownAtOk = shown();
                shell::onFocusLost(program());
                torch::onOkClicked(program());
            });
    }
    QString shownAtOk;
};

// `position`: the first scroll position (counted downwards) of the check-point's mark; `waits` for OK,
// else a document stays open; `shown`: the document and the marker; `list`: the index file whose last
// line is then `listed`; `skip`: pixels skipped ahead; `countedAgain`: row 1 of the stage's column once
// scrolled back and over it again; `message`: the second line of newsubject.rtf; `scrollsOn`: whether
// the reading goes on though the window lost the focus while the document waited. (The lists written
// before the wait for OK, the document's text and the counts of a first pass are the course journey's
// checks of every check-point of the sample course.)
struct Kind {
    const char* name;
    int stage, position;
    bool waits;
    const char *shown, *list, *listed;
    int skip, countedAgain;
    const char* message;
    bool scrollsOn;
};

class CheckpointKind : public Checkpoints, public ::testing::WithParamInterface<Kind> {};

TEST_P(CheckpointKind, ShowsWritesAndCountsThenActsAgainOnlyAsItsKindSays) {
    const Kind& c = GetParam();
    const auto column = std::size_t(c.stage + 1);
    enterStage(c.stage);
    if (c.waits) pressOkWhenDocumentShown();
    stepTo(c.position);
    expectScriptPlayed();
    EXPECT_EQ(c.waits ? shownAtOk : shown(), c.shown);
    EXPECT_EQ(window().topicList->currentText(), "") << "a refilled topic list names no topic";
    EXPECT_EQ(fileLines(appDir() + c.list).last(), c.listed);
    EXPECT_EQ(state().run.ScrollActive, c.scrollsOn);
    EXPECT_EQ(state().settings.ScrollPos, c.position - c.skip);
    EXPECT_EQ(window().readingPane->topEdge(), c.skip ? c.position - c.skip : 0);
    EXPECT_EQ(fileLines(appDir() + "newsubject.rtf").value(1), c.message);

    if (c.countedAgain > 1 && c.waits) pressOkWhenDocumentShown();
    stepTo(c.position + 1);
    stepTo(c.position);
    expectScriptPlayed();
    EXPECT_EQ(state().StageCounters[core::CheckpointsPassed][column], c.countedAgain);
    EXPECT_EQ(fileLines(appDir() + c.list).count(c.listed), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, CheckpointKind,
    ::testing::Values(Kind{"Topic", -1, -1236, true, "introduction.rtf marked", "info.ndx", "Introduction", 0, 1, "", false},
                      Kind{"StoppingTopic", -1, -2297, false, "icons.rtf marked", "info.ndx", "Icons", 0, 1, "", false},
                      Kind{"Subject", 7, -1526, true, "newsubject.rtf marked", "mission.ndx", "OPENNESS", 0, 1,
                           "\\cf2 The Subject OPENNESS has been added to your journal subject list. During Level 1, record an Inner "
                           "Snapshot and a brief comment for a minimum of ten entries in this subject category.",
                           false},
                      Kind{"OptionalSubjectInLowerCase", 11, -8246, true, "newsubject.rtf marked", "mission.ndx", "controversy", 0, 1,
                           "\\cf2 The Optional Subject controversy has been added to your journal subject list.", false},
                      Kind{"GalaxyResumesThoughTheFocusWasLost", 7, -3285, true, "galaxy.rtf", "info.ndx", "galaxy", 50, 2, "", true},
                      Kind{"SecondPassTopicStopsAsTheFocusWasLost", 7, -9469, true, "ambition.rtf", "info.ndx", "ambition", 50, 2, "",
                           false},
                      Kind{"SilentCountsWhenItsMarkArrives", 0, -9909, false, "", "mission.ndx", "Journal Entry", 0, 2, "", true}),
    caseName);

// Before a mark, past it, on a topic or subject already listed (in any case) or on a silent
// check-point already at the stage's number, nothing happens but the mark (the distance in per
// mille, rounded up) and one yield.
TEST_F(Checkpoints, PastTheMarkOrListedNothingHappens) {
    writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Level One Goal"});
    writeLines(appDir() + "mission.ndx", {"Journal Entry", "Controversy"});
    writeLines(appDir() + "status.ndx", QStringList{" 0", " 6"} + QStringList(43, " 0"));
    const auto before = allFiles();
    const std::array<int, 3> cases[] = {{-1, -1235, 353}, {-1, -1240, 355}, {0, -1100, 81},
                                        {0, -1099, 80},   {0, -9909, 722},  {11, -8246, 790}};
    for (const auto& [stage, position, mark] : cases) {
        enterStage(stage);
        const long yieldsBefore = sys.yields;
        stepTo(position);
        EXPECT_EQ(window().progressMarkLabel->text(), base::numberText(mark)) << position;
        EXPECT_EQ(sys.yields, yieldsBefore + 1) << position;
        EXPECT_TRUE(sys.timeline.isEmpty() && state().run.ScrollActive && shown().isEmpty()) << position;
    }
    EXPECT_EQ(changedFiles(before), QStringList{settingsPath()});
}

// A journal entry added while "galaxy" waits is an action of its own: when a later check-point of
// the same scroll fails, the entry's count and galaxy's counts stay, in memory and on disk.
TEST_F(Checkpoints, FailureLaterInTheScrollKeepsWhatWasStoredBeforeIt) {
    writeLines(appDir() + "mission.ndx", {"Journal Entry", "OPENNESS"});
    enterStage(7);
    shell::WireJournalControls(program());
    sys.script(
        "add an entry while galaxy waits", [this] { return window().torchPane->FileName().endsWith("/galaxy.rtf"); },
        [this] {
            click(window().journalButton);
            rankSnapshot({3, 3, 3, 3, 3, 3, 3});
            window().subjectBox->setEditText("OPENNESS");
            click(window().addEntryButton);
        });
    shell::RunGuarded(program(), [this] {
        stepTo(-3285);   // galaxy, mark 240
        failWritesAfter(0);
        stepTo(-7243);   // a subject, mark 528
    });
    failWritesAfter(-1);
    expectScriptPlayed();
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("newsubject.rtf")) << sys.messages[0].toStdString();
    EXPECT_EQ(state().SubjectProgress[1].count, "1");
    EXPECT_EQ(state().StageCounters[core::SecondPassTopicsUnlocked][8], 1);
    progress::SaveProgressFiles(program());
    EXPECT_EQ(fileLines(appDir() + "work.ndx")[1], "1");
    EXPECT_EQ(fileLines(appDir() + "status.ndx")[30 + 8], " 1");
}

}   // namespace
}   // namespace veltrin::test
