#pragma once
// What the journal's handlers share among themselves.
#include "core/JournalStore.h"
#include "state/State.h"

#include <QString>

namespace veltrin::journal {

inline const QString SubjectListName = QStringLiteral("mission.ndx");
inline const QString ViewJournalCaption = QStringLiteral("View Journal");
inline const QString CloseJournalCaption = QStringLiteral("Close Journal");
inline const QString ChartWindowName = QStringLiteral("journalChartWindow");

inline QString storePath(const Program& p) { return p.state.settings.CourseDir + core::JournalStoreName; }
// The key of a protected journal while it is unlocked; null for a plain or a locked journal.
const core::JournalKey* journalKey(const Program& p);
// The journal's key ready when the journal is protected: asks for the passphrase while it is
// locked. False (nothing to do) when the user cancels or gives a wrong passphrase, which is said.
// Throws FileError when the key file cannot be read.
bool unlockJournalIfSealed(Program& p);
// The protect button's caption: "Lock Journal" for a protected journal.
void showProtection(Program& p);
// Tells the user which records of a protected journal did not open, when any did not.
void reportDamagedRecords(Program& p, const core::DamagedRecords& damaged);

// The report open or closed, and the View Journal button's caption with it.
void showReportOpen(Program& p, bool open);
void enableScrollBars(Program& p, bool enabled);
// Names the entries of this day in earlier years on the journal frame, or hides the line when there are none.
void showOnThisDay(Program& p);

}   // namespace veltrin::journal
