#pragma once
// The journal: the journal frame and the Inner Snapshot, the journal store and the journal report.
#include "state/State.h"

namespace veltrin::journal {

// Sets StageRequirements and the required journal subjects with their minimum entries.
void FillRequirementTables(Program& p);

void onJournalButtonClicked(Program& p);   // journal button
void onDoneClicked(Program& p);            // Done
void onSubjectPicked(Program& p);          // subject picked
void onAddEntryClicked(Program& p);        // Add Journal Entry
void onViewJournalClicked(Program& p);     // View Journal / Close Journal
void onJournalChartClicked(Program& p);    // Journal Chart: opens the chart window
void onExportJournalClicked(Program& p);   // Export...: the save dialog, then the export

}   // namespace veltrin::journal
