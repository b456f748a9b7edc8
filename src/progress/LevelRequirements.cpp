#include "progress/Progress.h"

#include "base/Numbers.h"

namespace veltrin::progress {

namespace {

// Rows 1 .. 3 of the level on show: its first-pass column, even in the second pass.
bool stageCountersMet(const state::ProgramState& s) {
    const auto column = std::size_t(s.LevelShown);
    for (std::size_t row = 1; row <= 3; ++row)
        if (s.StageCounters[row][column] < s.StageRequirements[row][column]) return false;
    return true;
}

// The subjects the stage requires, in the second pass only; every one is looked at, none stops the others.
bool subjectEntriesMet(const state::ProgramState& s) {
    bool met = true;
    const state::SubjectRowRange rows = state::Stage(s.CourseStage).secondPassSubjects();
    for (auto row = std::size_t(rows.first); int(row) <= rows.last; ++row)
        if (base::leadingNumber(s.SubjectRequirements[row][2]) > base::leadingNumber(s.SubjectProgress[row][2])) met = false;
    return met;
}

}   // namespace

void TestRequirements(Program& p) {
    state::ProgramState& s = p.state;
    s.RequirementsMet = stageCountersMet(s) && subjectEntriesMet(s);
}

}   // namespace veltrin::progress
