#pragma once
// The reading position. It is held in three places that move together: ScrollPos (whole pixels,
// 0 at the top of the text and negative as the text moves up), the reading pane's top edge (exact
// tenths of a pixel while a loop scrolls) and the position bar (the distance read). Only these
// functions move them; ScrollPos is also the position the settings file keeps, which reading the
// settings, the exit, a level completion and the reset set before they save or load.
// The program sets the bar with its signals blocked, so the bar's handler runs for the user's
// moves alone; where the program moves the bar, the text follows it here.
#include "state/Program.h"

#include <cstdint>

namespace veltrin::state {

// One step of a scroll loop: the pane moves by `tenths` tenths of a pixel (negative: the text
// moves up) and ScrollPos takes the whole pixel nearest its top edge, halves to the even one.
// The position bar catches up at the next showReadingDistance.
void stepReadingPane(Program& p, int tenths);

// Puts the text's top edge on the whole pixel `top`; ScrollPos and the position bar follow.
void moveReadingPane(Program& p, std::int32_t top);

// A text has just been loaded into a pane of its height: the position bar runs from 0 to that
// height and the text stands at `top`. A distance beyond the pane would show an empty viewport,
// so the text goes to its top instead, and DueLevelPos with it (that is what the exit saves).
void placeLoadedText(Program& p, std::int32_t top);

// Shows the distance read on the position bar, held at the bar's maximum.
void showReadingDistance(Program& p);

// The user moved the position bar: the text goes to the bar's whole value. Runs no check-point.
void followPositionBar(Program& p);

// A failed operation has put ScrollPos back: the text goes to it, and the bar and the mark label
// show it.
void showRestoredPosition(Program& p);

// Shows ProgressMark in the hidden mark label.
void showProgressMark(Program& p);

}   // namespace veltrin::state
