#pragma once
// The journal: the journal frame and the Inner Snapshot, the journal store and the journal report.
#include "core/JournalExport.h"
#include "core/JournalStore.h"
#include "state/State.h"

#include <functional>
#include <optional>

namespace veltrin::journal {

void onJournalButtonClicked(Program& p);   // journal button
void onDoneClicked(Program& p);            // Done
void onSubjectPicked(Program& p);          // subject picked
void onAddEntryClicked(Program& p);        // Add Journal Entry
void onViewJournalClicked(Program& p);     // View Journal / Close Journal
void onJournalChartClicked(Program& p);    // Journal Chart: opens the chart window
void onExportJournalClicked(Program& p);   // Export...: the save dialog, then the export

// The ranks selected on the journal frame; empty when a category has no option selected.
std::optional<core::SnapshotRanks> snapshotRanks(const ui::MainWindow& form);

// Where the Export... button saves, and as what.
struct ExportTarget {
    QString path;
    core::ExportFormat format;
};
// The question the Export... button asks: the save dialog, unless a test answers in the user's place.
std::function<std::optional<ExportTarget>(QWidget* parent)>& exportTargetQuestion();

}   // namespace veltrin::journal
