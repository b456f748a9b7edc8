#pragma once
// What the journal's handlers share among themselves.
#include "shell/Program.h"

#include <QString>

namespace veltrin::journal {

inline const QString SubjectListName = QStringLiteral("mission.ndx");
inline const QString ViewJournalCaption = QStringLiteral("View Journal");
inline const QString CloseJournalCaption = QStringLiteral("Close Journal");

void enableScrollBars(Program& p, bool enabled);
// Closes an open Torch panel without the torch sound, before another document is shown.
void closeTorchPanelSilently(Program& p);

} // namespace veltrin::journal
