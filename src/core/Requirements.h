#pragma once
// What each stage asks of the user before its level is passed, and the progress counted against it:
// the stage targets and counters (status.ndx), the required journal subjects and the entries made
// in each (work.ndx).
#include "core/Stage.h"

#include <QString>

#include <array>
#include <cstdint>

namespace veltrin::core {

constexpr int SubjectRows = 24;   // required journal subjects, rows 1 .. 24

// The rows of the stage counters and of their targets; row 0 is not used.
enum CounterRow : std::size_t {
    CheckpointsPassed = 1,
    RequiredSubjectsAdded = 2,
    SecondPassTopicsUnlocked = 3,
};

using StageRow = std::array<std::int16_t, StageColumns>;
using StageTable = std::array<StageRow, 4>;

// A row of the subject tables. The count stays text: a count read from work.ndx is written back
// as it was read.
struct SubjectRow {
    QString name;
    QString count;
    bool operator==(const SubjectRow&) const = default;
};
using SubjectTable = std::array<SubjectRow, SubjectRows + 1>;

// Sets the stage targets and the required subjects with their minimum entries.
void fillRequirementTables(StageTable& stageTargets, SubjectTable& requiredSubjects);

}   // namespace veltrin::core
