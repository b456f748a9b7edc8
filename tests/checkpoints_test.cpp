// The check-point schedule: the reading mark, the end of the text, and what each kind of
// check-point shows, writes and counts, in order, with the user pressing OK at the waits.
#include "support/CourseFixture.h"

#include "base/Numbers.h"
#include "base/TextFile.h"
#include "journal/Journal.h"
#include "progress/Progress.h"
#include "progress/Schedule.h"
#include "torch/Torch.h"

#include <cmath>

namespace veltrin::test {
namespace {

constexpr int IntroductionEnd = 3500;
constexpr int LevelOneEnd = 13743;
constexpr int LevelFiveEnd = 10450;

// The first scroll position (counted downwards) whose reading mark is `mark`.
int firstPositionOfMark(int mark, int levelEnd) { return -(int(std::floor(double(mark - 1) * levelEnd / 1000.0)) + 1); }

class Checkpoints : public CourseFixture {
protected:
    void SetUp() override { writeStartingCourse({"introduction.rtf", "Cosmic Map.rtf", "Icons.rtf", "Level One Goal.rtf", "galaxy.rtf"}); }

    // The program as started at a stage, the due level on show at its top.
    void enterStage(int stage) {
        writeSettings(stage, 0);
        shell::FindWindowsDir(program());
        shell::RestoreProgress(program());
    }

    // One forward step of the scroll loop that has reached `position`.
    void stepTo(int position) {
        state().ScrollActive = true;
        state().ScrollPos = position;
        progress::RunCheckpoints(program());
    }

    // The user presses OK once the document is on show; notes what the window showed then.
    void pressOkWhenDocumentShown() {
        Program& p = program();
        sys.script("press OK under the document", [&p] { return !p.form.Picture2->isHidden() && !p.form.RichTextBox2->FileName().isEmpty(); },
                   [this, &p] {
                       markerShownAtOk = !p.form.Picture11->isHidden();
                       documentAtOk = QFileInfo(p.form.RichTextBox2->FileName()).fileName();
                       topicsAtOk = appFileLines("info.ndx");
                       torch::Command11_Click(p);
                   });
    }

    QString appFile(const char* name) const { return appDir() + name; }
    QStringList appFileLines(const char* name) const { return fileLines(appFile(name)); }
    QStringList statusWith(int index, const char* count) const {
        QStringList status(45, " 0");
        status[index] = count;
        return status;
    }

    bool markerShownAtOk = false;
    QString documentAtOk;
    QStringList topicsAtOk;   // info.ndx while the document waits for OK
};

// The schedule against the requirement tables: rows 1 .. 3 of each stage count its check-points,
// its subjects and its second-pass topics; every subject has a message that names it.
TEST_F(Checkpoints, ScheduleAgreesWithTheRequirementsAndTheSubjectMessages) {
    std::array<std::array<std::int16_t, 15>, 4> counted{};
    std::size_t subjects = 0;
    for (const progress::Checkpoint& c : progress::Schedule) {
        const auto column = std::size_t(c.stage + 1);
        ++counted[1][column];
        if (c.kind == progress::CheckpointKind::Subject) ++counted[2][column];
        if (c.kind == progress::CheckpointKind::SecondPassTopic) ++counted[3][column];
        if (c.kind != progress::CheckpointKind::Subject && c.kind != progress::CheckpointKind::OptionalSubject) continue;
        ++subjects;
        const auto message = std::find_if(progress::SubjectMessages.begin(), progress::SubjectMessages.end(),
                                          [&c](const auto& m) { return m.subject == c.name; });
        ASSERT_NE(message, progress::SubjectMessages.end()) << c.name;
        EXPECT_NE(message->message.find(c.name), std::string_view::npos) << c.name;
    }
    EXPECT_EQ(subjects, progress::SubjectMessages.size());
    journal::FillRequirementTables(program());
    for (std::size_t row = 1; row <= 3; ++row) EXPECT_EQ(counted[row], state().StageRequirements[row]) << "row " << row;
}

TEST_F(Checkpoints, EndOfTheDueTextIsReportedWithoutAMark) {
    enterStage(0);
    state().LevelJustPassed = true;
    form().Label5->setText(" 17");
    state().ProgressMark = 17;
    const long yieldsBefore = sys.yields;
    stepTo(-LevelOneEnd);
    EXPECT_TRUE(state().EndReached);
    EXPECT_FALSE(state().LevelJustPassed);
    EXPECT_EQ(state().ProgressMark, 17);
    EXPECT_EQ(form().Label5->text(), " 17");
    EXPECT_EQ(sys.yields, yieldsBefore);
}

// Only the due level's steps move DueLevelPos and the position bar.
TEST_F(Checkpoints, DueLevelPositionFollowsOnlyTheDueLevel) {
    enterStage(7);
    form().VScroll2->setMaximum(400);
    stepTo(-300);
    EXPECT_EQ(state().DueLevelPos, -300);
    EXPECT_EQ(form().VScroll2->value(), 300);
    stepTo(-500);
    EXPECT_EQ(form().VScroll2->value(), 400);
    state().LevelShown = 3;
    stepTo(-520);
    EXPECT_EQ(state().DueLevelPos, -500);
    EXPECT_EQ(state().ScrollPos, -520);
}

TEST_F(Checkpoints, IntroductionUnlocksItsTopicOnAFreshCount) {
    writeLines(appFile("status.ndx"), statusWith(5, " 4"));
    enterStage(-1);
    state().SubjectProgress[1][2] = "3";
    pressOkWhenDocumentShown();
    stepTo(-1239);
    EXPECT_EQ(state().ProgressMark, 354);
    expectScriptPlayed();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"torch-on", "torch-off"}));
    EXPECT_EQ(documentAtOk, "introduction.rtf");
    EXPECT_TRUE(markerShownAtOk);
    EXPECT_EQ(topicsAtOk.value(2), "Introduction");
    EXPECT_EQ(readFile(appFile("info.ndx")), crlfLines({"Greetings", "Status", "Introduction"}));
    EXPECT_EQ(readFile(appFile("status.ndx")), crlfLines(statusWith(0, " 1")));
    EXPECT_EQ(appFileLines("work.ndx").mid(0, 4), (QStringList{"OPENNESS", "0", "OBSERVATION", "0"}));
    EXPECT_EQ(form().Combo1->itemText(2), "Introduction");
    EXPECT_FALSE(state().ScrollActive);
}

// Past the Introduction's mark, or on a topic already listed (a restart past it), nothing happens
// but the mark (the distance in per mille, rounded up) and one yield.
TEST_F(Checkpoints, PastTheMarkOrListedNothingHappens) {
    writeLines(appFile("info.ndx"), {"Greetings", "Status", "Level One Goal"});
    const QByteArray info = readFile(appFile("info.ndx"));
    const QByteArray status = readFile(appFile("status.ndx"));
    for (auto [stage, position, mark] : {std::array{-1, -1240, 355}, std::array{0, -1100, 81}, std::array{0, -1099, 80}}) {
        enterStage(stage);
        const long yieldsBefore = sys.yields;
        stepTo(position);
        EXPECT_EQ(state().ProgressMark, mark);
        EXPECT_EQ(form().Label5->text(), base::numberText(mark));
        EXPECT_EQ(sys.yields, yieldsBefore + 1);
        EXPECT_TRUE(sys.timeline.isEmpty());
        EXPECT_EQ(readFile(appFile("info.ndx")), info);
        EXPECT_EQ(readFile(appFile("status.ndx")), status);
        EXPECT_TRUE(state().ScrollActive);
        EXPECT_TRUE(form().Picture2->isHidden());
    }
}

TEST_F(Checkpoints, StoppingTopicLeavesItsDocumentOpen) {
    enterStage(-1);
    stepTo(firstPositionOfMark(657, IntroductionEnd));
    EXPECT_EQ(sys.playedSounds(), QStringList{"torch-on"});
    EXPECT_FALSE(form().Picture2->isHidden());
    EXPECT_FALSE(form().Picture11->isHidden());
    EXPECT_EQ(QFileInfo(form().RichTextBox2->FileName()).fileName(), "Icons.rtf");
    EXPECT_EQ(appFileLines("info.ndx").last(), "Icons");
    EXPECT_EQ(state().StageCounters[1][0], 1);
    EXPECT_FALSE(state().ScrollActive);
}

TEST_F(Checkpoints, SubjectWritesItsMessageAndCountsRowsOneAndTwo) {
    enterStage(7);
    pressOkWhenDocumentShown();
    stepTo(firstPositionOfMark(112, LevelOneEnd));
    expectScriptPlayed();
    EXPECT_EQ(readFile(appFile("newsubject.rtf")),
              torch::DocumentHeader.toUtf8() + "\r\n"
              "\\cf2 The Subject OPENNESS has been added to your journal subject list. During Level 1, record an Inner "
              "Snapshot and a brief comment for a minimum of ten entries in this subject category.\r\n}\r\n");
    EXPECT_EQ(documentAtOk.toLower(), "newsubject.rtf");
    EXPECT_TRUE(markerShownAtOk);
    EXPECT_EQ(readFile(appFile("mission.ndx")), crlfLines({"Journal Entry", "OPENNESS"}));
    QStringList status = statusWith(8, " 1");   // one check-point and one subject counted in Level 1's column
    status[15 + 8] = " 1";
    EXPECT_EQ(readFile(appFile("status.ndx")), crlfLines(status));
    EXPECT_EQ(sys.playedSounds(), (QStringList{"torch-on", "torch-off"}));
    EXPECT_FALSE(state().ScrollActive);
}

TEST_F(Checkpoints, OptionalSubjectIsStoredInLowerCaseAndFoundAgain) {
    enterStage(11);
    pressOkWhenDocumentShown();
    const int position = firstPositionOfMark(790, LevelFiveEnd);
    stepTo(position);
    expectScriptPlayed();
    EXPECT_EQ(appFileLines("mission.ndx").last(), "controversy");
    EXPECT_EQ(appFileLines("newsubject.rtf")[1], "\\cf2 The Optional Subject controversy has been added to your journal subject list.");
    EXPECT_EQ(state().StageCounters[1][12], 1);
    EXPECT_EQ(state().StageCounters[2][12], 0);
    // Found again whatever its case: scrolled back over, it shows nothing.
    writeLines(appFile("mission.ndx"), {"Journal Entry", "Controversy"});
    sys.timeline.clear();
    stepTo(position + 1);
    stepTo(position);
    EXPECT_TRUE(sys.timeline.isEmpty());
    EXPECT_EQ(state().StageCounters[1][12], 1);
    EXPECT_TRUE(state().ScrollActive);
}

TEST_F(Checkpoints, SecondPassTopicSkipsAheadAndScrollingGoesOn) {
    enterStage(7);
    pressOkWhenDocumentShown();
    const int position = firstPositionOfMark(240, LevelOneEnd);
    stepTo(position);
    expectScriptPlayed();
    EXPECT_EQ(documentAtOk, "galaxy.rtf");
    EXPECT_EQ(state().ScrollPos, position - 50);
    EXPECT_EQ(form().RichTextBox1->topEdge(), position - 50);
    EXPECT_EQ(state().ProgressMark, 245);
    EXPECT_TRUE(state().ScrollActive);
    EXPECT_EQ(state().StageCounters[1][8], 1);
    EXPECT_EQ(state().StageCounters[3][8], 1);
    EXPECT_EQ(appFileLines("status.ndx")[30 + 8], " 1");
    EXPECT_EQ(appFileLines("info.ndx"), (QStringList{"Greetings", "Status", "galaxy"}));
    // Scrolled back over it: shown and counted again, but listed once.
    pressOkWhenDocumentShown();
    stepTo(position);
    expectScriptPlayed();
    EXPECT_EQ(state().StageCounters[1][8], 2);
    EXPECT_EQ(appFileLines("info.ndx"), (QStringList{"Greetings", "Status", "galaxy"}));
}

// A silent check-point counts once when its mark arrives, again when passed again, and never past
// the stage's number.
TEST_F(Checkpoints, SilentCheckpointCountsOnceWhenTheMarkArrives) {
    enterStage(0);
    const int position = firstPositionOfMark(722, LevelOneEnd);
    stepTo(position + 1);
    EXPECT_EQ(state().ProgressMark, 721);
    for (int step = 0; step < 5; ++step) stepTo(position - step);
    EXPECT_EQ(state().ProgressMark, 722);
    EXPECT_EQ(state().StageCounters[1][1], 1);
    EXPECT_EQ(appFileLines("status.ndx")[1], " 1");
    EXPECT_TRUE(state().ScrollActive);
    EXPECT_TRUE(sys.timeline.isEmpty());
    stepTo(position + 1);
    stepTo(position);
    EXPECT_EQ(state().StageCounters[1][1], 2);

    writeLines(appFile("status.ndx"), statusWith(1, " 6"));
    enterStage(0);
    const QByteArray before = readFile(appFile("status.ndx"));
    stepTo(position);
    EXPECT_EQ(state().StageCounters[1][1], 6);
    EXPECT_EQ(readFile(appFile("status.ndx")), before);
}

TEST_F(Checkpoints, FailedSaveAfterATopicLeavesTheFilesAsTheyWere) {
    writeLines(appFile("info.ndx"), {"Greetings", "Status", "Introduction"});
    enterStage(-1);
    const QByteArray info = readFile(appFile("info.ndx"));
    const QByteArray status = readFile(appFile("status.ndx"));
    base::failWritesAfter(QByteArray("Cosmic Map\r\n").size());
    shell::RunGuarded(program(), [this] { stepTo(firstPositionOfMark(581, IntroductionEnd)); });
    base::failWritesAfter(-1);
    EXPECT_EQ(readFile(appFile("info.ndx")), info);
    EXPECT_EQ(readFile(appFile("status.ndx")), status);
    EXPECT_EQ(state().StageCounters[1][0], 0);
    EXPECT_EQ(form().Combo1->count(), 3);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(appFile("status.ndx")));
}

// Beside a stale "NewSubject.rtf" copied from another system, the message just written is shown.
TEST_F(Checkpoints, SubjectShowsTheMessageJustWrittenBesideAStaleCopy) {
    writeFile(appFile("NewSubject.rtf"), rtfDocument("an old message"));
    enterStage(7);
    pressOkWhenDocumentShown();
    stepTo(firstPositionOfMark(112, LevelOneEnd));
    expectScriptPlayed();
    EXPECT_EQ(documentAtOk, "newsubject.rtf");
}

// The window lost the focus while the document waited: "galaxy" scrolls on all the same, another
// second-pass topic stays stopped.
TEST_F(Checkpoints, GalaxyScrollsOnAfterTheFocusWasLost) {
    enterStage(7);
    for (const auto& [mark, scrollsOn] : {std::pair{240, true}, std::pair{690, false}}) {
        sys.script("the window loses the focus", [this] { return !form().RichTextBox2->FileName().isEmpty(); },
                   [this] { shell::Form_LostFocus(program()); });
        pressOkWhenDocumentShown();
        stepTo(firstPositionOfMark(mark, LevelOneEnd));
        expectScriptPlayed();
        EXPECT_EQ(state().ScrollActive, scrollsOn) << mark;
    }
}

// A journal entry added while "galaxy" waits is an action of its own: when a later check-point of
// the same scroll fails, the entry's count and galaxy's counts stay, in memory and on disk.
TEST_F(Checkpoints, FailureLaterInTheScrollKeepsWhatWasStoredBeforeIt) {
    writeLines(appFile("mission.ndx"), {"Journal Entry", "OPENNESS"});
    enterStage(7);
    shell::WireJournalControls(program());
    sys.script("add an entry while galaxy waits", [this] { return form().RichTextBox2->FileName().endsWith("/galaxy.rtf"); }, [this] {
        click(form().Command13);
        rankSnapshot({3, 3, 3, 3, 3, 3, 3});
        form().Combo2->setEditText("OPENNESS");
        click(form().Command17);
    });
    shell::RunGuarded(program(), [this] {
        stepTo(firstPositionOfMark(240, LevelOneEnd));
        base::failWritesAfter(0);
        stepTo(firstPositionOfMark(528, LevelOneEnd));
    });
    base::failWritesAfter(-1);
    expectScriptPlayed();
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("newsubject.rtf")) << sys.messages[0].toStdString();
    EXPECT_EQ(state().SubjectProgress[1][2], "1");
    EXPECT_EQ(state().StageCounters[3][8], 1);
    progress::SaveProgressFiles(program());
    EXPECT_EQ(appFileLines("work.ndx")[1], "1");
    EXPECT_EQ(appFileLines("status.ndx")[30 + 8], " 1");
}

} // namespace
} // namespace veltrin::test
