#pragma once
// What the journal's handlers share among themselves.
#include "state/State.h"

#include <QString>

namespace veltrin::journal {

inline const QString SubjectListName = QStringLiteral("mission.ndx");
inline const QString ViewJournalCaption = QStringLiteral("View Journal");
inline const QString CloseJournalCaption = QStringLiteral("Close Journal");

// The report open or closed, and the View Journal button's caption with it.
void showReportOpen(Program& p, bool open);
void enableScrollBars(Program& p, bool enabled);
// Names the entries of this day in earlier years on the journal frame, or hides the line when there are none.
void showOnThisDay(Program& p);

}   // namespace veltrin::journal
