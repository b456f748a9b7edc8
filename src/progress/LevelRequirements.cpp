#include "progress/Progress.h"

#include "base/Numbers.h"
#include "core/Requirements.h"

namespace veltrin::progress {

namespace {

// Rows 1 .. 3 of the level on show: its first-pass column, even in the second pass.
bool stageCountersMet(const state::ProgramState& s) {
    const auto column = std::size_t(s.LevelShown);
    for (std::size_t row = core::CheckpointsPassed; row <= core::SecondPassTopicsUnlocked; ++row)
        if (s.StageCounters[row][column] < s.StageRequirements[row][column]) return false;
    return true;
}

// The subjects the stage requires, in the second pass only; every one is looked at, none stops the others.
bool subjectEntriesMet(const state::ProgramState& s) {
    bool met = true;
    const core::SubjectRowRange rows = core::Stage(s.settings.CourseStage).secondPassSubjects();
    for (auto row = std::size_t(rows.first); int(row) <= rows.last; ++row)
        if (base::leadingNumber(s.SubjectRequirements[row].count) > base::leadingNumber(s.SubjectProgress[row].count)) met = false;
    return met;
}

}   // namespace

void TestRequirements(Program& p) {
    state::ProgramState& s = p.state;
    s.RequirementsMet = stageCountersMet(s) && subjectEntriesMet(s);
}

void FillRequirementTables(Program& p) { core::fillRequirementTables(p.state.StageRequirements, p.state.SubjectRequirements); }

}   // namespace veltrin::progress
