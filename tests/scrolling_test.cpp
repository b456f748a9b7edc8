// The scroll loops: pass counts and step positions, stopping and re-entry, the guard, the end of
// the due level's text, the not-done messages and the level completion with its award.
#include "support/CourseFixture.h"

#include "base/Numbers.h"
#include "reader/Reader.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

using shell::DueLevel;

// The distance at which the due level of `stage` ends, less one pixel: a few steps from the end.
int justAboveEnd(int stage) { return -(reader::LevelEnds[std::size_t(DueLevel(stage))] - 1); }

class Scrolling : public CourseFixture {};

struct TickCase {
    const char* name;
    bool forward;
    int delay;
    long passesPerStep;
};

class PassesPerStep : public CourseFixture, public ::testing::WithParamInterface<TickCase> {};

// A step is a tenth of a pixel, kept exact (the position bar's handler must not pull the pane to
// whole pixels); it comes on the last pass of each period, never earlier.
TEST_P(PassesPerStep, StepComesOnTheLastPassOfEachPeriod) {
    const TickCase c = GetParam();
    Program& p = startAt(-1, c.forward ? 0 : -100);
    p.form.VScroll1->setValue(c.delay);
    const double startTop = p.form.RichTextBox1->topEdge();
    std::vector<int> steps;
    for (const long passes : {5 * c.passesPerStep - 1, 5 * c.passesPerStep})
        afterPasses(passes, [&] { steps.push_back(int(std::lround(std::abs(p.form.RichTextBox1->topEdge() - startTop) * 10))); });
    afterPasses(5 * c.passesPerStep + 1);
    c.forward ? clickUp() : clickDown();
    EXPECT_EQ(p.state.ScrollDelay, c.delay);
    EXPECT_EQ(steps, (std::vector<int>{4, 5}));
    EXPECT_FALSE(p.state.ScrollActive);
}

INSTANTIATE_TEST_SUITE_P(Loops, PassesPerStep,
                         ::testing::Values(TickCase{"ForwardDelay0", true, 0, 2}, TickCase{"ForwardDelay10", true, 10, 12},
                                           TickCase{"BackwardDelay0", false, 0, 2}, TickCase{"BackwardDelay10", false, 10, 22}),
                         caseName);

struct SecondClickCase {
    const char* name;
    bool startForward;
    bool stopWithUp;
    QStringList sounds;
};

class SecondClick : public CourseFixture, public ::testing::WithParamInterface<SecondClickCase> {};

// The nested click runs inside the loop's yield: it stops the loop once and nothing moves after it.
TEST_P(SecondClick, StopsTheRunningLoopOnce) {
    const SecondClickCase c = GetParam();
    Program& p = startAt(-1, -100);
    double topAtStop = 0;
    afterPasses(21, [&] {
        c.stopWithUp ? clickUp() : clickDown();
        topAtStop = p.form.RichTextBox1->topEdge();
    });
    c.startForward ? clickUp() : clickDown();
    EXPECT_EQ(sys.playedSounds(), c.sounds);
    EXPECT_FALSE(p.state.ScrollActive);
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), topAtStop);
    EXPECT_EQ(sys.scrollPasses, 21);
    EXPECT_EQ(p.form.VScroll2->value(), -p.state.ScrollPos);
}

INSTANTIATE_TEST_SUITE_P(Arrows, SecondClick,
                         ::testing::Values(SecondClickCase{"UpThenUp", true, true, {"scroll-on", "Scroll-off"}},
                                           SecondClickCase{"DownThenDown", false, false, {"scroll-on", "scroll-off"}},
                                           SecondClickCase{"DownThenUp", false, true, {"scroll-on", "Scroll-off"}}),
                         caseName);

TEST_F(Scrolling, BackwardLoopStopsOnceTheTopEdgeIsBelowTheViewportTop) {
    Program& p = startAt(-1, -1);
    clickDown();
    EXPECT_GT(p.form.RichTextBox1->topEdge(), 0);
    EXPECT_LE(p.form.RichTextBox1->topEdge(), 0.2);
    EXPECT_EQ(p.state.ScrollPos, 0);   // the position follows the pane back
    EXPECT_EQ(p.form.VScroll2->value(), 0);
    EXPECT_EQ(p.state.DueLevelPos, -1);   // the distance reached stays recorded
    EXPECT_FALSE(p.state.ScrollActive);
}

// With the journal open the arrow is refused after its toggle, and nothing scrolls.
TEST_F(Scrolling, GuardRefusesTheArrowAfterTheToggle) {
    Program& p = startAt(-1, -100, {"closejnl.rtf"});
    p.form.Frame1->show();
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "resetyn"}));
    EXPECT_TRUE(p.form.RichTextBox2->FileName().endsWith("/closejnl.rtf"));
    EXPECT_EQ(sys.scrollPasses, 0);
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), -100);
    EXPECT_TRUE(p.state.ScrollActive);   // the toggle's value stands
}

TEST_F(Scrolling, OpenTorchPanelClosesWithTheTorchSoundBeforeTheLoop) {
    Program& p = startAt(-1, 0, {"Greetings.rtf"});
    torch::ShowTorchDocument(p, QStringLiteral("Greetings.rtf"), 0);
    afterPasses(4);
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "torch-off"}));
    EXPECT_TRUE(p.form.Picture2->isHidden());
    EXPECT_DOUBLE_EQ(p.form.RichTextBox1->topEdge(), -0.2);
}

TEST_F(Scrolling, PositionBarMovesThePaneAndShowsTheMarkButRunsNoCheckpoint) {
    Program& p = startAt(-1, 0);
    const QByteArray topicsBefore = readFile(appDir() + "info.ndx");
    p.state.ProgressMark = 42;
    p.form.VScroll2->setValue(1239);   // the mark of the Introduction's first check-point
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), -1239);
    EXPECT_EQ(p.state.ScrollPos, -1239);
    EXPECT_EQ(p.form.Label5->text(), " 42");
    EXPECT_EQ(readFile(appDir() + "info.ndx"), topicsBefore);
    EXPECT_TRUE(sys.playedSounds().isEmpty());
}

// Level 2 on show while Level 4 is due: its end (7496) stops the reading in the middle of Level 2.
TEST_F(Scrolling, EndOfTheDueLevelInAnotherLevelStopsWithoutAMessage) {
    Program& p = startAt(3, 0);
    click(p.form.Command3);
    p.form.VScroll2->setValue(7495);
    clickUp();
    EXPECT_EQ(p.state.ScrollPos, -7496);   // -7495.5 rounds to the even -7496 on the fifth step
    EXPECT_TRUE(p.state.EndReached);
    EXPECT_FALSE(p.state.ScrollActive);
    EXPECT_EQ(sys.scrollPasses, 11);   // five steps in ten passes, then the ending pass still ticks
    EXPECT_TRUE(p.form.Picture2->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"open0", "scroll-on"}));

    clickUp();   // stops again at its first pass, which still takes its step
    EXPECT_EQ(sys.scrollPasses, 12);
    EXPECT_DOUBLE_EQ(p.form.RichTextBox1->topEdge(), -7495.6);
    EXPECT_EQ(p.state.CourseStage, 3);
}

struct NotDoneCase {
    const char* name;
    int stage;
    const char* document;
};

class NotDone : public CourseFixture, public ::testing::WithParamInterface<NotDoneCase> {};

// The message waits for OK and the reading stays stopped; back from the end with the down arrow,
// it scrolls on to the end and shows the message again.
TEST_P(NotDone, EndWithTheWorkUndoneShowsTheMessageEachTime) {
    const NotDoneCase c = GetParam();
    Program& p = startAt(c.stage, justAboveEnd(c.stage), {"notdoneyet-o.rtf", "notdoneyet.rtf"});
    pressOkWhenTorchOpens();
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "torch-on", "torch-off"}));
    EXPECT_TRUE(p.form.RichTextBox2->FileName().endsWith(QLatin1Char('/') + QLatin1String(c.document)));
    EXPECT_FALSE(p.state.ScrollActive);
    EXPECT_TRUE(p.state.EndReached);
    EXPECT_EQ(settingsLine(5), base::numberText(c.stage));

    const int end = -justAboveEnd(c.stage) + 1;
    afterPasses(sys.scrollPasses + 2 * 200);   // twenty pixels back
    clickDown();
    EXPECT_EQ(p.state.ScrollPos, -(end - 20));
    EXPECT_EQ(p.form.VScroll2->value(), end - 20);
    EXPECT_EQ(p.state.DueLevelPos, -end);
    const long passesBefore = sys.scrollPasses;
    pressOkWhenTorchOpens();
    clickUp();
    EXPECT_EQ(sys.playedSounds().count("torch-on"), 2);
    EXPECT_EQ(p.state.ScrollPos, -end);
    EXPECT_GE(sys.scrollPasses - passesBefore, 2 * 195);   // about twenty pixels of steps
    EXPECT_EQ(p.state.CourseStage, c.stage);
}

INSTANTIATE_TEST_SUITE_P(Stages, NotDone,
                         ::testing::Values(NotDoneCase{"Stage5", 5, "notdoneyet-o.rtf"}, NotDoneCase{"Stage9", 9, "notdoneyet.rtf"}),
                         caseName);

TEST_F(Scrolling, WorkDoneAfterTheMessageCompletesAtTheFirstPass) {
    Program& p = startAt(5, justAboveEnd(5), {"notdoneyet-o.rtf", "award6.rtf"});
    pressOkWhenTorchOpens();
    clickUp();
    for (auto& row : p.state.StageCounters) row.fill(99);   // the missing work is done
    const long passesBefore = sys.scrollPasses;
    pressOkWhenTorchOpens();
    clickUp();
    EXPECT_EQ(sys.scrollPasses, passesBefore);
    EXPECT_EQ(p.state.CourseStage, 6);
    EXPECT_EQ(sys.playedSounds().mid(3), QStringList({"scroll-on", "operative", "torch-off"}));
}

struct CompletionCase {
    const char* name;
    int stage;
    const char* sound;
    int textAfter;       // the level text in the pane once the award is closed
    bool textAtTheTop;   // else it stays where it stood
};

class Completion : public CourseFixture, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(Completion, RaisesTheStageGivesTheAwardAndOpensTheNextLevel) {
    const CompletionCase c = GetParam();
    const int newStage = c.stage + 1;
    const QString award = QStringLiteral("award%1").arg(newStage);
    Program& p = startAt(c.stage, justAboveEnd(c.stage), {award + ".rtf"}, true);
    bool coveredDuringAward = false;
    sys.script("close the award", [&p, award] { return p.form.RichTextBox2->FileName().endsWith(award + ".rtf") && !p.form.Picture2->isHidden(); },
               [&] {
                   coveredDuringAward = !p.form.Picture12->isHidden() && p.form.Picture4->isHidden() && p.form.Picture5->isHidden();
                   click(p.form.Command11);
               });
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", c.sound, "torch-off"}));
    EXPECT_EQ(fileLines(appDir() + "info.ndx").last(), award);
    EXPECT_EQ(p.state.CourseStage, newStage);
    EXPECT_EQ(settingsLine(5), base::numberText(newStage));
    EXPECT_EQ(settingsLine(6), " 0");
    EXPECT_EQ(p.state.LevelShown, DueLevel(newStage));
    EXPECT_EQ(p.form.Label9->text(), p.state.TitleText);
    EXPECT_TRUE(coveredDuringAward);
    EXPECT_TRUE(p.form.Picture12->isHidden());
    EXPECT_FALSE(p.form.Picture4->isHidden() || p.form.Picture5->isHidden());
    EXPECT_FALSE(p.state.EndReached);
    EXPECT_TRUE(p.form.RichTextBox1->FileName().endsWith(reader::LevelFileName(c.textAfter)));
    if (c.textAtTheTop) {
        EXPECT_EQ(p.form.RichTextBox1->topEdge(), 0);
        EXPECT_EQ(p.state.ScrollPos, 0);
        EXPECT_EQ(p.form.VScroll2->value(), 0);
        EXPECT_TRUE(p.state.LevelJustPassed);
    } else {
        EXPECT_LT(p.form.RichTextBox1->topEdge(), -11215);
    }
}

INSTANTIATE_TEST_SUITE_P(Awards, Completion,
                         ::testing::Values(CompletionCase{"Introduction", -1, "award1", 1, true},
                                           CompletionCase{"Level7FirstPass", 6, "commander", 1, true},
                                           CompletionCase{"Level7SecondPass", 13, "finish", 7, false}),
                         caseName);

} // namespace
} // namespace veltrin::test
