#pragma once
// The state below the subsystems: the program object and its state, reading and writing the
// settings file, the reading position and the rollback of operations.
#include "state/Program.h"
#include "state/ReadingPosition.h"

#include "core/Settings.h"
#include "core/Stage.h"

#include "base/FileError.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace veltrin::state {

// Puts the settings into the state; DueLevelPos starts at the saved position.
void applySettings(ProgramState& s, const core::Settings& settings);
// Rewrites the settings file from the state, with `stage` as line 5. Throws FileError; the old
// file stays whole on failure.
void SaveSettings(Program& p, int stage);
// Reads the settings file into the state. Throws SettingsError (the file is missing or wrong) or
// FileError; the state is changed only when the whole file is good.
void ReadSettings(Program& p);

// Runs one operation of a handler that goes on after it (a check-point of the scroll loop): once
// it has returned, a later failure of the handler keeps what it changed. A FileError puts back what
// the operation changed and goes on to the operation around it.
void RunOperation(Program& p, const std::function<void()>& operation);

}   // namespace veltrin::state
