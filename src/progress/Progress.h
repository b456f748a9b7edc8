#pragma once
// The progress schedule: check-points of every stage, the topic and subject index files, the
// progress counters and the level-requirements test.
#include "state/State.h"

#include "base/TextFile.h"

#include <QString>

namespace veltrin::progress {

// Sets StageRequirements and the required journal subjects with their minimum entries.
void FillRequirementTables(Program& p);

// Reloads the topic list from info.ndx and the subject list from mission.ndx. A missing index file
// gives an empty list and a message naming it (once while it stays missing); nothing is written.
void RefillLists(Program& p);
// Empties the topic list and the subject list; the subject box keeps the subject typed or picked.
void ClearLists(Program& p);
// What is stored together with an appended line: the progress files or the settings file.
using SaveStep = void (*)(Program& p);
// Appends the topic to info.ndx unless the topic list already holds it exactly, then runs `save`,
// appended or not. Both or neither: when `save` throws FileError, info.ndx is put back as it was and
// the error goes on. True when the topic was appended; the lists are not refilled.
bool appendTopicThenSave(Program& p, const QString& name, SaveStep save);
// appendTopicThenSave, then refills the lists when the topic was appended.
void AddTopic(Program& p, const QString& name, SaveStep save);
// Rewrites status.ndx and work.ndx from the counters, both or neither; a file that already holds
// its lines is left alone. Throws FileError; old files stay whole.
void SaveProgressFiles(Program& p);
// Reads status.ndx and work.ndx into the counters (subject names from SubjectRequirements, so
// FillRequirementTables comes first). Of a missing, short or garbled file what can be read is used:
// counters not found are 0, counts "0"; the user is told once which file is damaged, and the file
// is not touched until the progress is next saved. A file that exists but cannot be read throws FileError.
void LoadProgressFiles(Program& p);
// Sets RequirementsMet for the level on show.
void TestRequirements(Program& p);
// Every stage counter 0, every subject's count "0" under its upper-case name (a fresh course).
void ClearProgressTables(state::ProgramState& s);
// status.ndx and work.ndx as a fresh course holds them, with their paths; nothing is written.
QList<base::FileBytes> freshProgressFiles(const Program& p);
// Turns the scroll position into the reading mark and carries out the check-point it matches.
void RunCheckpoints(Program& p);

}   // namespace veltrin::progress
