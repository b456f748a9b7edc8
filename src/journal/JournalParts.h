#pragma once
// What the journal's handlers share among themselves.
#include "state/State.h"

#include <QString>

namespace veltrin::journal {

inline const QString SubjectListName = QStringLiteral("mission.ndx");
inline const QString ViewJournalCaption = QStringLiteral("View Journal");
inline const QString CloseJournalCaption = QStringLiteral("Close Journal");

void enableScrollBars(Program& p, bool enabled);

}   // namespace veltrin::journal
