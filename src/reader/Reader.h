#pragma once
// The course reader: level buttons and level texts, scrolling, the end-of-level test and awards.
#include "state/State.h"

#include <QString>

#include <array>
#include <cstdint>

namespace veltrin::reader {

// The level text's file name in CourseDir ("veltrin0.rtf" .. "veltrin7.rtf") and the reading
// pane's height for it (LevelEnd plus the level's margin), for levels 0 .. 7.
QString LevelFileName(int level);
int LevelPaneHeight(int level);
// The reading distances at which the eight level texts end.
extern const std::array<std::int32_t, 8> LevelEnds;

// Rebuilds the visible state of the course from the stored files and dresses the window.
void RestoreProgress(Program& p);
// Loads the pictures of the scenery for the current stage.
void DressScenery(Program& p);

// Refuses while the journal frame or the viewer is open: plays "resetyn", shows why, returns true.
bool OpenWindowGuard(Program& p);
// Puts the level's text into the reading pane at its top; other values than 0 .. 7 do nothing.
void LoadLevelText(Program& p, int level);

void onIntroductionButtonClicked(Program& p);
void onLevel1ButtonClicked(Program& p);
void onLevel2ButtonClicked(Program& p);
void onLevel3ButtonClicked(Program& p);
void onLevel4ButtonClicked(Program& p);
void onLevel5ButtonClicked(Program& p);
void onLevel6ButtonClicked(Program& p);
void onLevel7ButtonClicked(Program& p);

// The forward scroll action: starts or stops forward scrolling and runs the loop, with the end of
// the due level's text, the requirements test and the level completion. Throws FileError.
void ScrollForward(Program& p);
// The backward scroll action: runs the backward loop that onDownArrowPressed started.
void ScrollBack(Program& p);

void onUpArrowClicked(Program& p);   // up arrow: start or stop forward scrolling
void onUpArrowPressed(Program& p);
void onUpArrowReleased(Program& p);
void onDownArrowPressed(Program& p);   // down arrow: start or stop backward scrolling
void onDownArrowClicked(Program& p);
void onDownArrowReleased(Program& p);
void onSpeedBarChanged(Program& p);      // speed bar
void onPositionBarChanged(Program& p);   // position bar

}   // namespace veltrin::reader
