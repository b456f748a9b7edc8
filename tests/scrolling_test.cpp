// The scroll loops: pass counts and exact steps, a second click while a loop runs, the position
// bar, and the not-done message at the end of the due level.
#include "support/CourseFixture.h"

#include "reader/Reader.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

namespace veltrin::test {
namespace {

// A pixel before the end of the due level's text at `stage`: a few steps from the end.
int justAboveEnd(int stage) { return -(reader::LevelEnds[std::size_t(core::Stage(stage).dueLevel())] - 1); }

struct LoopCase {
    const char* name;
    bool forward;
    int delay;
    long passesPerStep;
};

class PassesPerStep : public CourseFixture, public ::testing::WithParamInterface<LoopCase> {};

// A step is a tenth of a pixel, kept exact: the position bar following the steps once pulled the
// pane to whole pixels. The step comes on the last pass of each period, never earlier.
TEST_P(PassesPerStep, StepComesOnTheLastPassOfEachPeriod) {
    const LoopCase c = GetParam();
    Program& p = startAt(-1, c.forward ? 0 : -100);
    p.window.speedBar->setValue(c.delay);
    const double startTop = p.window.readingPane->topEdge();
    std::vector<int> steps;
    for (const long passes : {5 * c.passesPerStep - 1, 5 * c.passesPerStep})
        afterPasses(passes, [&] { steps.push_back(int(std::lround(std::abs(p.window.readingPane->topEdge() - startTop) * 10))); });
    afterPasses(5 * c.passesPerStep + 1);
    c.forward ? clickUp() : clickDown();
    EXPECT_EQ(steps, (std::vector<int>{4, 5}));
}

INSTANTIATE_TEST_SUITE_P(Loops, PassesPerStep,
                         ::testing::Values(LoopCase{"ForwardDelay10", true, 10, 12}, LoopCase{"BackwardDelay10", false, 10, 22}), caseName);

using ScrollLoop = CourseFixture;

// The nested click runs inside the loop's yield: the up arrow stops the down loop once and nothing
// moves after it (an arrow stopping its own loop is the keyboard's Space test); a level button stops
// the up loop and shows its text at the top.
TEST_F(ScrollLoop, UpStopsTheRunningDownLoopOnceAndALevelButtonTheUpLoop) {
    Program& p = startAt(0, -500);
    double topAtStop = 0;
    afterPasses(21, [&] {
        clickUp();
        topAtStop = p.window.readingPane->topEdge();
    });
    clickDown();
    EXPECT_EQ(p.window.readingPane->topEdge(), topAtStop);
    EXPECT_EQ(sys.scrollPasses, 21);
    EXPECT_EQ(p.window.positionBar->value(), -p.state.settings.ScrollPos);
    afterPasses(41, [this] { click(window().level2Button); });
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "Scroll-off", "scroll-on", "open0"}));
    EXPECT_EQ(sys.scrollPasses, 41);
    EXPECT_TRUE(p.window.readingPane->FileName().endsWith("/veltrin2.rtf"));
    EXPECT_EQ(p.window.readingPane->topEdge(), 0);
    EXPECT_EQ(p.state.settings.ScrollPos, 0);
}

class PositionBar : public CourseFixture {
protected:
    // Stage -1, 100 pixels into a level text of 300 short lines, each a paragraph, on the shown window.
    Program& startOnLongText() {
        Program& p = startAt(-1, -100);
        QStringList lines;
        for (int line = 0; line < 300; ++line) lines << QStringLiteral("Line %1").arg(line);
        writeFile(courseDir() + "veltrin0.rtf", rtfDocument(lines.join("\\par ")));
        reader::LoadLevelText(p, 0);
        window().show();
        return p;
    }
};

// The user's keys on the bar put the text on the bar's whole value and pass no check-point, though
// "Level One Goal" (mark 81) stands there. When a loop ends and the program puts the bar on the
// distance, the bar's handler does not run: the contact window opened mid-loop stays open.
TEST_F(PositionBar, UserMovesTheTextAndTheProgramOnlyShowsTheDistance) {
    Program& p = startAt(0, -99);
    shell::WireTorchControls(p);
    const auto before = allFiles();
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Down}) QTest::keyClick(p.window.positionBar, key);
    EXPECT_EQ(p.window.readingPane->topEdge(), -1100);
    EXPECT_EQ(p.state.settings.ScrollPos, -1100);
    EXPECT_EQ(p.state.DueLevelPos, -99);
    afterPasses(2 * 30, [&] { click(p.window.contactButton); });   // three pixels back
    clickDown();
    EXPECT_FALSE(p.contact.isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "stuffin"}));
    EXPECT_EQ(p.window.positionBar->value(), 1097);
    EXPECT_TRUE(p.window.torchPanel->isHidden() && changedFiles(before).isEmpty());
    p.contact.close();   // the title bar's close button: the contact button opens it again
    click(p.window.contactButton);
    EXPECT_FALSE(p.contact.isHidden());
    EXPECT_EQ(sys.playedSounds().last(), "stuffin");
}

// Only the program moves the reading text: the wheel, a selection dragged below the view and the
// keys that scroll a text leave what the viewport shows, ScrollPos and the position bar as they were.
TEST_F(PositionBar, WheelDragAndKeysLeaveTheTextWhereItIs) {
    Program& p = startOnLongText();
    ui::RichTextView& pane = *p.window.readingPane;
    const QImage shown = p.window.viewport->grab().toImage();
    const int position = p.state.settings.ScrollPos;
    const int distance = p.window.positionBar->value();
    const QPointF inside(40, 60);
    QWheelEvent wheel(inside, pane.viewport()->mapToGlobal(inside), {}, {0, -5 * 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane.viewport(), &wheel);
    QTest::mousePress(pane.viewport(), Qt::LeftButton, {}, inside.toPoint());
    const QPointF below(40, pane.viewport()->height() + 40);
    QMouseEvent drag(QEvent::MouseMove, below, pane.viewport()->mapToGlobal(below), Qt::NoButton, Qt::LeftButton, {});
    QCursor::setPos(drag.globalPosition().toPoint());   // where the view's own timer looks for the mouse
    QApplication::sendEvent(pane.viewport(), &drag);
    QTest::qWait(350);   // the view's timer scrolls a selection dragged past its edge every 100 ms
    QTest::mouseRelease(pane.viewport(), Qt::LeftButton, {}, below.toPoint());
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_PageDown, Qt::Key_End}) QTest::keyClick(&pane, key);
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0);
    QTextCursor selected = pane.textCursor();   // the selection may stay; the text may not move
    selected.clearSelection();
    pane.setTextCursor(selected);
    EXPECT_EQ(p.window.viewport->grab().toImage(), shown);
    EXPECT_EQ(p.state.settings.ScrollPos, position);
    EXPECT_EQ(p.window.positionBar->value(), distance);
}

// The caret stands on the line at the viewport's top edge, for a screen reader's "read the current
// line", from the start and as the text moves; it moves once a line, not at every step.
TEST_F(PositionBar, CaretFollowsTheLineAtTheTopOnceALine) {
    Program& p = startOnLongText();
    state::moveReadingPane(p, -100);
    const ui::RichTextView& pane = *p.window.readingPane;
    const auto onTopLine = [&pane] {
        const QTextCursor atTop = pane.cursorForPosition(QPoint(5, int(std::max(-pane.topEdge(), 0.0))));
        return atTop.block() == pane.textCursor().block() && pane.textCursor().atBlockStart();
    };
    EXPECT_TRUE(onTopLine()) << pane.textCursor().block().text().toStdString();
    int moves = 0;
    QObject::connect(&pane, &QTextEdit::cursorPositionChanged, [&moves] { ++moves; });
    afterPasses(2 * 600);   // sixty pixels
    clickUp();
    EXPECT_TRUE(onTopLine()) << pane.textCursor().block().text().toStdString();
    const int lineHeight = pane.cursorRect().height();
    EXPECT_GE(moves, 60 / lineHeight - 1);
    EXPECT_LE(moves, 60 / lineHeight + 1);
}

// With the work undone the message waits for OK and, back from the end, the text scrolls on to the
// end and shows the message again. (The stage kept while work is undone, the level completion, its
// award over covered arrows and the finished course are the course journey's.)
TEST_F(ScrollLoop, AtTheEndOfUndoneWorkUpShowsTheNotDoneMessageAgainAfterGoingBack) {
    Program& p = startAt(7, justAboveEnd(7), {"notdoneyet-o.rtf"});
    pressWhenVisible(p.window.okButton, "press OK under the message");
    clickUp();
    EXPECT_FALSE(p.window.upArrow->isHidden() || p.window.downArrow->isHidden());
    EXPECT_TRUE(p.window.readingPane->FileName().endsWith("/veltrin1.rtf"));
    const int end = -justAboveEnd(7) + 1;
    afterPasses(sys.scrollPasses + 2 * 200);   // twenty pixels back with the down arrow
    clickDown();
    EXPECT_EQ(p.state.settings.ScrollPos, -(end - 20));
    EXPECT_EQ(p.window.positionBar->value(), end - 20);
    EXPECT_EQ(p.state.DueLevelPos, -end);
    pressWhenVisible(p.window.okButton, "press OK under the message");
    clickUp();
    EXPECT_EQ(sys.playedSounds().count("torch-on"), 2);
    EXPECT_EQ(p.state.settings.ScrollPos, -end);
}

}   // namespace
}   // namespace veltrin::test
