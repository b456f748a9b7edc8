#pragma once
// The journal: the journal frame and the Inner Snapshot, the journal store and the journal report.
#include "shell/Program.h"

namespace veltrin::journal {

// Sets StageRequirements and the required journal subjects with their minimum entries.
void FillRequirementTables(Program& p);

void Command13_Click(Program& p);   // journal button
void Command16_Click(Program& p);   // Done
void Combo2_Click(Program& p);      // subject picked
void Command17_Click(Program& p);   // Add Journal Entry
void Command15_Click(Program& p);   // View Journal / Close Journal

} // namespace veltrin::journal
