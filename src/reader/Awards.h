#pragma once
// Level completion, used by the forward scroll loop only.
#include "state/State.h"

#include <QString>

namespace veltrin::reader {

// The sound of the award given when the stage rises to `newStage` (0 .. 14); empty outside.
QString awardSound(int newStage);

// The due level's work is done: raises the stage, saves and restores it, gives the award and
// opens the next level once the user has closed the award. Throws FileError from the settings,
// index or progress files; the state is then put back by the handler boundary.
void completeLevel(Program& p);

}   // namespace veltrin::reader
