#pragma once
// Helpers the check-points share with the index and progress files (private to progress/).
#include "state/State.h"

#include <QComboBox>
#include <QString>

namespace veltrin::progress {

// The path of a file of the course's own folder.
QString appFile(const Program& p, const char* name);

// True when an item of the list equals the name exactly (case-sensitive, whole string); every
// item is looked at.
bool listsExactly(const QComboBox& list, const QString& name);

// Appends the line to the index file, then saves the progress files. Both or neither: when the
// save fails the index file is cut back to its old length and the FileError goes on.
void appendAndSaveProgress(Program& p, const char* indexFile, const QString& line);

} // namespace veltrin::progress
