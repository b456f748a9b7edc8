#pragma once
// The course stage and the progress tables' shape: which pass a stage belongs to, the level it
// makes due, and its column of the counters.
#include <array>
#include <cstddef>
#include <cstdint>

namespace veltrin::core {

constexpr int StageColumns = 15;   // stage column = CourseStage + 1, for stages -1 .. 13 (14 too)

// The reading distances at which the eight level texts end, for the introduction and levels 1 .. 7.
inline constexpr std::array<std::int32_t, 8> LevelEnds{3500, 13743, 13014, 10862, 7496, 10450, 9796, 11216};

// Stages -1 .. 14: the introduction (-1), the first pass through levels 1 .. 7 (0 .. 6), the
// second pass (7 .. 13) and the finished course (14).
enum class Pass { Introduction, First, Second, Finished };

// Rows of SubjectRequirements, first to last; empty when last < first.
struct SubjectRowRange {
    int first;
    int last;
};

class Stage {
public:
    static constexpr int Start = -1;
    static constexpr int FirstOfSecondPass = 7;
    static constexpr int Last = 14;

    explicit constexpr Stage(int courseStage) : m_value(courseStage) {}
    constexpr int value() const { return m_value; }
    // The stage the title, the level buttons and the status report show: outside -1 .. 14, -1.
    constexpr Stage shown() const { return Stage(m_value >= Start && m_value <= Last ? m_value : Start); }
    // By order: below 0 the introduction, 14 and above the finished course.
    Pass pass() const;
    // The level due: 0 for -1, stage + 1 for 0 .. 6, stage - 6 for 7 .. 13, 8 (none) otherwise.
    int dueLevel() const;
    // The stage's column of the progress tables.
    constexpr std::size_t column() const { return std::size_t(m_value + 1); }
    constexpr bool finished() const { return m_value == Last; }
    // The journal subjects a second-pass stage requires; empty for every other stage.
    SubjectRowRange secondPassSubjects() const;

private:
    int m_value;
};

}   // namespace veltrin::core
