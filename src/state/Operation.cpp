#include "state/State.h"

#include <array>
#include <tuple>
#include <utility>

namespace veltrin::state {

namespace {

// Puts into the rollback point every element that an operation changed from `was` to `now`.
template <typename T>
void carry(T& point, const T& was, const T& now) {
    if (!(was == now)) point = now;
}

template <typename T, std::size_t N>
void carry(std::array<T, N>& point, const std::array<T, N>& was, const std::array<T, N>& now) {
    for (std::size_t i = 0; i < N; ++i) carry(point[i], was[i], now[i]);
}

template <typename Point, typename Was, typename Now, std::size_t... Member>
void carryMembers(Point point, Was was, Now now, std::index_sequence<Member...>) {
    (carry(std::get<Member>(point), std::get<Member>(was), std::get<Member>(now)), ...);
}

// What a finished operation changed goes into the rollback point of the operation around it, so
// that a failure there keeps it: the progress it stored, and the stage, level and position that
// go with it. Left out is the run state, which belongs to the operation that is running and goes
// back with it (its scroll loop and the question it waits on, which Yes, No and the question asked
// again only answer or repeat), and what is on screen, which stays as shown.
void carryChanges(ProgramState& point, const ProgramState& was, const ProgramState& now) {
    auto members = carriedMembers(point);
    carryMembers(members, carriedMembers(was), carriedMembers(now), std::make_index_sequence<std::tuple_size_v<decltype(members)>>{});
}

// One running operation: the state it started from, and its rollback point, which starts as that
// state and takes in what the operations that finish inside it change.
class Operation {
public:
    explicit Operation(Program& p) : m_p(p), m_before(p.state), m_rollbackPoint(p.state) { p.rollbackPoints.push_back(&m_rollbackPoint); }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
    // Hands what this operation changed to the one around it; after a rollback that is only what
    // the operations inside it changed.
    ~Operation() {
        m_p.rollbackPoints.pop_back();
        if (!m_p.rollbackPoints.empty()) carryChanges(*m_p.rollbackPoints.back(), m_before, m_p.state);
    }
    // The reading pane and the position bar show the position put back, so that what the user sees,
    // what the bar says and what the exit saves agree again.
    void rollBack() {
        const OnScreen shown = m_p.state.screen;
        m_p.state = m_rollbackPoint;
        m_p.state.screen = shown;
        showRestoredPosition(m_p);
    }

private:
    Program& m_p;
    const ProgramState m_before;
    ProgramState m_rollbackPoint;
};

}   // namespace

void RunOperation(Program& p, const std::function<void()>& operation) {
    Operation running(p);
    try {
        operation();
    } catch (const base::FileError&) {
        running.rollBack();
        throw;
    }
}

}   // namespace veltrin::state
