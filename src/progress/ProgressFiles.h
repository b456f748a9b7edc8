#pragma once
// Helpers the check-points share with the index and progress files (private to progress/).
#include "progress/Progress.h"
#include "state/State.h"

#include <QString>

namespace veltrin::progress {

// The path of a file of the course's own folder.
QString appFile(const Program& p, const char* name);

// Appends the line to the index file, then runs `save`. Both or neither: when the save fails the
// index file is put back as it was (cut back, or removed if the append made it) and the FileError goes on.
void appendThenSave(Program& p, const char* indexFile, const QString& line, SaveStep save);

}   // namespace veltrin::progress
