#include "reader/Reader.h"

#include "progress/Progress.h"
#include "reader/Awards.h"
#include "state/State.h"
#include "torch/Torch.h"

#include <QScopeGuard>

#include <cstdlib>

namespace veltrin::reader {

namespace {

void showNotDoneMessage(Program& p) {
    p.state.run.AskYesNo = false;
    torch::ShowTorchDocument(p, p.state.settings.CourseStage <= 7 ? QStringLiteral("notdoneyet-o.rtf") : QStringLiteral("notdoneyet.rtf"),
                             1);
    torch::WaitForTorchClosed(p);
}

void resumeAfterScrollingBack(Program& p) {
    state::ProgramState& s = p.state;
    s.run.ScrollActive = true;
    s.EndReached = false;
    s.RequirementsMet = false;
    s.LevelJustPassed = false;
}

// The end of the due level's text has been read. Returns true when the level was completed and
// the loop must end at once.
bool handleEndOfText(Program& p) {
    state::ProgramState& s = p.state;
    s.run.ScrollActive = false;
    if (s.LevelShown != core::Stage(s.settings.CourseStage).dueLevel() || s.LevelJustPassed) return false;
    progress::TestRequirements(p);
    if (s.RequirementsMet) {
        completeLevel(p);
        return true;
    }
    if (std::abs(qint64(s.settings.ScrollPos)) >= s.LevelEnd[std::size_t(s.LevelShown)]) showNotDoneMessage(p);
    else resumeAfterScrollingBack(p);
    return false;
}

// One step of either loop moves the text a tenth of a pixel.
void stepForward(Program& p) {
    state::stepReadingPane(p, -1);
    progress::RunCheckpoints(p);
}

// ScrollPos follows the pane back, so that the end of the text is tested against where the text
// stands; the distance reached stays recorded in DueLevelPos.
void stepBack(Program& p) {
    state::stepReadingPane(p, 1);
    state::showProgressMark(p);
}

// Counts an idle pass, or takes a step once `idlePasses` have been counted; either way the pass
// ends with a turn of the event queue.
template <typename Step>
void tick(Program& p, qint64 idlePasses, Step step) {
    state::ProgramState& s = p.state;
    if (s.run.ScrollTick < idlePasses) {
        ++s.run.ScrollTick;
    } else {
        s.run.ScrollTick = 0;
        step(p);
    }
    p.sys.scrollPass();
}

// One pass of the forward loop; false when the loop ends. A pass in which the end of the text
// clears ScrollActive still takes its tick, so one more step can follow the end.
bool forwardPass(Program& p) {
    state::ProgramState& s = p.state;
    if (!s.run.ScrollActive) {
        state::showReadingDistance(p);
        return false;
    }
    if (s.EndReached && handleEndOfText(p)) return false;
    tick(p, qint64(s.settings.ScrollDelay) + 1, stepForward);
    return true;
}

// One pass of the backward loop; false when the loop ends. Going back passes no check-point and
// leaves DueLevelPos alone; like the forward loop, it leaves the position bar on the distance.
bool backwardPass(Program& p) {
    state::ProgramState& s = p.state;
    if (!s.run.ScrollActive) {
        state::showReadingDistance(p);
        return false;
    }
    if (p.window.readingPane->topEdge() > 0) s.run.ScrollActive = false;
    tick(p, 2 * qint64(s.settings.ScrollDelay) + 1, stepBack);
    return true;
}

void toggleForward(Program& p) {
    state::ProgramState& s = p.state;
    torch::PlaySound(p, s.run.ScrollActive ? QStringLiteral("Scroll-off") : QStringLiteral("scroll-on"));
    s.run.ScrollActive = !s.run.ScrollActive;
}

void toggleBackward(Program& p) {
    state::ProgramState& s = p.state;
    torch::PlaySound(p, s.run.ScrollActive ? QStringLiteral("scroll-off") : QStringLiteral("scroll-on"));
    s.run.ScrollActive = !s.run.ScrollActive;
}

// What every arrow does before its loop; false when the open-window guard refused the click.
bool prepareArrow(Program& p) {
    torch::CloseContactWindow(p);
    if (OpenWindowGuard(p)) return false;
    torch::closeTorchPanel(p, torch::WithTorchSound);
    return true;
}

void showArrowPicture(Program& p, ui::PictureBox& arrow, const char* picture) {
    arrow.loadPicture(p.state.settings.CourseDir + QLatin1String(picture));
}

// The arrow stands pressed, as a screen reader is told, while its loop runs.
template <typename Pass>
void runLoop(Program& p, ui::PictureBox& arrow, Pass pass) {
    p.sys.beginScrollPasses();
    arrow.setPressed(true);
    const auto release = qScopeGuard([&arrow] { arrow.setPressed(false); });
    while (pass(p)) {}
}

}   // namespace

// Re-entry: the loop yields on every pass, so any handler may run inside it. A second click here
// runs nested, clears ScrollActive and ends its own loop at once; this loop ends at its next pass.
void ScrollForward(Program& p) {
    toggleForward(p);
    if (!prepareArrow(p)) return;   // the flag keeps the value the toggle gave it
    runLoop(p, *p.window.upArrow, forwardPass);
}

// Re-entry as for ScrollForward: the press that stops a running loop has already cleared
// ScrollActive, so a nested click ends at once and the outer loop at its next pass.
void ScrollBack(Program& p) {
    if (!prepareArrow(p)) return;
    runLoop(p, *p.window.downArrow, backwardPass);
}

void onUpArrowClicked(Program& p) { ScrollForward(p); }
void onUpArrowPressed(Program& p) { showArrowPicture(p, *p.window.upArrow, "wood3-btn-up-p.jpg"); }
void onUpArrowReleased(Program& p) { showArrowPicture(p, *p.window.upArrow, "wood3-btn-up.jpg"); }

// Re-entry: a press while a loop runs stops it (it clears ScrollActive); the backward loop starts
// only from the click that follows the press.
void onDownArrowPressed(Program& p) {
    showArrowPicture(p, *p.window.downArrow, "wood3-btn-dn-p.jpg");
    toggleBackward(p);
}

void onDownArrowClicked(Program& p) { ScrollBack(p); }
void onDownArrowReleased(Program& p) { showArrowPicture(p, *p.window.downArrow, "wood3-btn-dn.jpg"); }

void onSpeedBarChanged(Program& p) {
    torch::CloseContactWindow(p);
    p.state.settings.ScrollDelay = p.window.speedBar->value();
}

// Runs for the user's moves only (the program sets the bar quietly) and runs no check-points:
// those between the old and the new position are tested by later forward steps.
void onPositionBarChanged(Program& p) {
    torch::CloseContactWindow(p);
    state::followPositionBar(p);
}

}   // namespace veltrin::reader
