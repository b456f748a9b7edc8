#include "core/Requirements.h"

namespace veltrin::core {

namespace {

struct RequiredSubject {
    const char* name;
    const char* minimumEntries;
};

// Rows 1 .. 24: Level 1's subjects first, then Level 2's and so on.
constexpr std::array<RequiredSubject, SubjectRows> RequiredSubjects{{
    {"Openness", "10"},       {"Observation", "15"}, {"Thought", "5"},        {"Feeling", "5"},           {"Realization", "7"},
    {"Exploration", "24"},    {"Needs", "12"},       {"Feel", "5"},           {"Perception", "5"},        {"Waters-1", "15"},
    {"Waters-2", "5"},        {"Cause-Effect", "5"}, {"Questioning", "15"},   {"Automatic Living", "15"}, {"Chunks-1", "7"},
    {"Cause-Effect-2", "25"}, {"Viewpoint", "3"},    {"Manifestation", "10"}, {"Mechanism", "7"},         {"Similarities", "5"},
    {"Parameters", "5"},      {"Skilling", "25"},    {"Interaction", "25"},   {"Tweaking", "25"},
}};

// Rows 1 .. 3 of the stage targets, columns 0 .. 14 (stages -1 .. 13): check-points, required
// subjects added, second-pass topics unlocked.
constexpr std::array<StageRow, 3> StageTargets{{
    {3, 6, 8, 6, 6, 7, 4, 3, 7, 5, 5, 4, 4, 3, 6},
    {0, 0, 0, 0, 0, 0, 0, 0, 5, 3, 4, 3, 2, 3, 4},
    {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 1, 1, 1, 0, 0},
}};

}   // namespace

void fillRequirementTables(StageTable& stageTargets, SubjectTable& requiredSubjects) {
    for (std::size_t row = 1; row <= StageTargets.size(); ++row) stageTargets[row] = StageTargets[row - 1];
    for (std::size_t row = 1; row <= RequiredSubjects.size(); ++row)
        requiredSubjects[row] = {QString::fromLatin1(RequiredSubjects[row - 1].name),
                                 QString::fromLatin1(RequiredSubjects[row - 1].minimumEntries)};
}

}   // namespace veltrin::core
