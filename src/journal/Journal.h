#pragma once
// The journal: the journal frame and the Inner Snapshot, the journal store and the journal report.
#include "core/JournalExport.h"
#include "core/JournalStore.h"
#include "state/State.h"

#include <optional>

namespace veltrin::journal {

void onJournalButtonClicked(Program& p);    // journal button
void onDoneClicked(Program& p);             // Done
void onSubjectPicked(Program& p);           // subject picked
void onAddEntryClicked(Program& p);         // Add Journal Entry
void onViewJournalClicked(Program& p);      // View Journal / Close Journal
void onJournalChartClicked(Program& p);     // Journal Chart: opens the chart window
void onExportJournalClicked(Program& p);    // Export...: the save dialog, then the export
void onProtectJournalClicked(Program& p);   // Protect Journal... / Lock Journal

// Wipes the key of a protected journal and closes what shows it: the frame, the report, the chart.
void lockJournal(Program& p);
// Locks a protected journal left alone for the idle time the user chose.
void lockJournalWhenIdle(Program& p, qint64 idleMilliseconds);

// The ranks selected on the journal frame; empty when a category has no option selected.
std::optional<core::SnapshotRanks> snapshotRanks(const ui::MainWindow& form);

}   // namespace veltrin::journal
