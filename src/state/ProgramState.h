#pragma once
// The program's working state: the variables every subsystem shares, named as the course
// design names them. One instance lives in Program; a test builds a fresh one per case.
#include "core/Requirements.h"
#include "core/Settings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <tuple>

namespace veltrin::state {

// What belongs to the running operation: it goes back with a failed operation and is never carried
// out of it: the scroll loop and the question the program waits on.
struct RunState {
    bool ScrollActive = false;
    std::int32_t ScrollTick = 0;
    bool AskYesNo = false;
    // The progress reset's pending answer: 0 none, 1 No, 2 Yes.
    std::int16_t ResetAnswer = 0;
    // A reset action runs, from its question to its end; a second erase click is refused meanwhile.
    bool resetUnderWay = false;
};

// The Torch panel: opening or open until its closing starts (the Ask Torch button is back), then
// closing until it is gone.
enum class TorchPanelState { Closed, Open, Closing };

// What is on screen, which the windows show: a failed operation puts none of it back, as it puts
// back no window.
struct OnScreen {
    TorchPanelState TorchPanel = TorchPanelState::Closed;
    bool ResetQuestionShown = false;   // Yes and No stand under the panel's document
    bool JournalOpen = false;          // the journal frame
    bool ReportOpen = false;           // the journal report, open even while the journal button hides it
    bool ManualOpen = false;
    bool DocumentShown = false;   // the document viewer over the reading area, with the report or the manual
    bool ContactOpen = false;
    // The topic list and the subject list: the index files' lines as last read.
    QStringList Topics;
    QStringList Subjects;
};

struct ProgramState {
    core::Settings settings;   // the settings file's seven values
    QString WinDir;            // the settings folder, ending in a path separator

    std::int32_t DueLevelPos = 0;
    std::int16_t LevelShown = 0;
    std::array<std::int32_t, 8> LevelEnd{};
    bool EndReached = false;
    bool LevelJustPassed = false;
    bool RequirementsMet = false;
    std::int32_t ProgressMark = 0;
    bool ShowScrollIntro = false;
    QString TitleText;
    std::array<QString, 6> RankBars;   // index 1 .. 5

    // Progress counters and their targets, rows by core::CounterRow, a column per stage.
    core::StageTable StageCounters{};
    core::StageTable StageRequirements{};
    // Required journal subjects with the entries they need, and the entries made, rows 1 .. 24.
    core::SubjectTable SubjectRequirements;
    core::SubjectTable SubjectProgress;

    // The reading mark of the previous forward step (-1 before the first), so that a silent
    // check-point counts when the mark arrives at it, not on every step that stays on it.
    std::int32_t LastCheckpointMark = -1;
    // Index and progress files whose damage the user has been told about and that have not been
    // read whole since; a damaged file is reported once, not at every reload.
    QStringList ReportedDamage;

    RunState run;
    OnScreen screen;
};

// Every member that an operation finished inside another hands on to it, that is all but `run` and
// `screen`. The binding lists each member once, so a member added to ProgramState and not here
// does not compile.
template <typename State>   // ProgramState or const ProgramState
auto carriedMembers(State& s) {
    auto& [settings, winDir, dueLevelPos, levelShown, levelEnd, endReached, levelJustPassed, requirementsMet, progressMark, showScrollIntro,
           titleText, rankBars, stageCounters, stageRequirements, subjectRequirements, subjectProgress, lastCheckpointMark, reportedDamage,
           run, screen] = s;
    (void)run;
    (void)screen;
    return std::tie(settings, winDir, dueLevelPos, levelShown, levelEnd, endReached, levelJustPassed, requirementsMet, progressMark,
                    showScrollIntro, titleText, rankBars, stageCounters, stageRequirements, subjectRequirements, subjectProgress,
                    lastCheckpointMark, reportedDamage);
}

}   // namespace veltrin::state
