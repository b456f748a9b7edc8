#pragma once
// The program's working state: the variables every subsystem shares, named as the course
// design names them. One instance lives in Program; a test builds a fresh one per case.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace veltrin::state {

constexpr int StageColumns = 15;   // stage column = CourseStage + 1, for stages -1 .. 13 (14 too)
constexpr int SubjectRows = 24;    // required journal subjects, rows 1 .. 24

// The values kept in the settings file, in its line order. The three folders are prefixes, each
// ending in a path separator.
struct Settings {
    QString AppDir;
    QString CourseDir;
    QString SoundDir;
    std::int32_t ScrollDelay = 0;
    std::int16_t CourseStage = 0;
    std::int32_t ScrollPos = 0;
    std::int16_t SoundsMuted = 0;
};

struct ProgramState {
    // Folder prefixes, each ending in a path separator.
    QString AppDir;
    QString CourseDir;
    QString SoundDir;
    QString WinDir;

    // Kept in the settings file.
    std::int32_t ScrollDelay = 0;
    std::int16_t CourseStage = 0;
    std::int32_t ScrollPos = 0;
    std::int16_t SoundsMuted = 0;

    // Run-time state.
    std::int32_t DueLevelPos = 0;
    std::int16_t LevelShown = 0;
    std::array<std::int32_t, 8> LevelEnd{};
    bool ScrollActive = false;
    std::int32_t ScrollTick = 0;
    bool EndReached = false;
    bool LevelJustPassed = false;
    bool RequirementsMet = false;
    std::int32_t ProgressMark = 0;
    bool ShowScrollIntro = false;
    bool AskYesNo = false;
    QString TitleText;
    std::array<QString, 6> RankBars;   // index 1 .. 5

    // Progress counters and their targets: rows 1 .. 3 used, columns 0 .. 14.
    std::array<std::array<std::int16_t, StageColumns>, 4> StageCounters{};
    std::array<std::array<std::int16_t, StageColumns>, 4> StageRequirements{};
    // Required journal subjects: rows 1 .. 24, column 1 the name, column 2 a count as text.
    std::array<std::array<QString, 3>, SubjectRows + 1> SubjectRequirements;
    std::array<std::array<QString, 3>, SubjectRows + 1> SubjectProgress;

    // The progress reset's pending answer: 0 none, 1 No, 2 Yes.
    std::int16_t ResetAnswer = 0;

    // The reading mark of the previous forward step (-1 before the first), so that a silent
    // check-point counts when the mark arrives at it, not on every step that stays on it.
    std::int32_t LastCheckpointMark = -1;
    // Index and progress files whose damage the user has been told about and that have not been
    // read whole since; a damaged file is reported once, not at every reload.
    QStringList ReportedDamage;
    // A reset action runs, from its question to its end; a second erase click is refused meanwhile.
    bool resetUnderWay = false;
};

}   // namespace veltrin::state
