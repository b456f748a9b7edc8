#include "progress/Progress.h"

#include "base/Numbers.h"

namespace veltrin::progress {

namespace {

// The required journal subjects of each second-pass stage: rows of SubjectRequirements.
struct StageSubjects {
    int stage;
    int firstRow;
    int lastRow;
};

constexpr std::array<StageSubjects, 7> SecondPassSubjects{{
    {7, 1, 5}, {8, 6, 8}, {9, 9, 12}, {10, 13, 15}, {11, 16, 17}, {12, 18, 20}, {13, 21, 24},
}};

constexpr int LastFirstPassColumn = 7;

// Rows 1 .. 3 of the level on show: its first-pass column, even in the second pass.
bool stageCountersMet(const shell::ProgramState& s) {
    const auto column = std::size_t(s.LevelShown);
    for (std::size_t row = 1; row <= 3; ++row)
        if (s.StageCounters[row][column] < s.StageRequirements[row][column]) return false;
    return true;
}

// Every chosen subject is looked at; none stops the others.
bool subjectEntriesMet(const shell::ProgramState& s) {
    bool met = true;
    for (const StageSubjects& stage : SecondPassSubjects) {
        if (stage.stage != s.CourseStage) continue;
        for (auto row = std::size_t(stage.firstRow); row <= std::size_t(stage.lastRow); ++row)
            if (base::leadingNumber(s.SubjectRequirements[row][2]) > base::leadingNumber(s.SubjectProgress[row][2])) met = false;
    }
    return met;
}

} // namespace

void TestRequirements(Program& p) {
    shell::ProgramState& s = p.state;
    s.RequirementsMet = stageCountersMet(s);
    if (!s.RequirementsMet || s.CourseStage + 1 <= LastFirstPassColumn) return;
    s.RequirementsMet = subjectEntriesMet(s);
}

} // namespace veltrin::progress
