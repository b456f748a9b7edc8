#include "core/Stage.h"

#include <array>

namespace veltrin::core {

namespace {

// The journal subjects of the second-pass stages 7 .. 13.
constexpr std::array<SubjectRowRange, 7> SecondPassSubjects{{{1, 5}, {6, 8}, {9, 12}, {13, 15}, {16, 17}, {18, 20}, {21, 24}}};

bool inSecondPass(int stage) { return stage >= Stage::FirstOfSecondPass && stage < Stage::Last; }

}   // namespace

Pass Stage::pass() const {
    if (m_value >= Last) return Pass::Finished;
    if (m_value >= FirstOfSecondPass) return Pass::Second;
    if (m_value >= 0) return Pass::First;
    return Pass::Introduction;
}

int Stage::dueLevel() const {
    if (m_value == Start) return 0;
    if (m_value >= 0 && m_value < FirstOfSecondPass) return m_value + 1;
    if (inSecondPass(m_value)) return m_value - 6;
    return 8;
}

SubjectRowRange Stage::secondPassSubjects() const {
    if (!inSecondPass(m_value)) return {1, 0};
    return SecondPassSubjects[std::size_t(m_value - FirstOfSecondPass)];
}

}   // namespace veltrin::core
