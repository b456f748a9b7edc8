#include "progress/Progress.h"
#include "progress/ProgressFiles.h"

#include "base/Numbers.h"
#include "core/Schedule.h"
#include "state/State.h"
#include "torch/Torch.h"

#include <algorithm>
#include <cmath>

namespace veltrin::progress {

namespace {

using core::Checkpoint;
using core::CheckpointEnding;
using core::SubjectMessage;
using enum core::CheckpointKind;
using enum core::CheckpointEnding;

constexpr int LastScheduledStage = 13;
constexpr int SkipAheadMarks = 5;
constexpr int SkipAheadPixels = 50;
constexpr const char* SubjectMessageDocument = "newsubject.rtf";

QString text(std::string_view literal) { return QString::fromLatin1(literal.data(), qsizetype(literal.size())); }

std::size_t stageColumn(const state::ProgramState& s) { return core::Stage(s.settings.CourseStage).column(); }

const Checkpoint* checkpointAt(int stage, int mark) {
    for (const Checkpoint& checkpoint : core::Schedule)
        if (checkpoint.stage == stage && checkpoint.position == mark) return &checkpoint;
    return nullptr;
}

QString subjectMessage(std::string_view subject) {
    for (const SubjectMessage& message : core::SubjectMessages)
        if (message.subject == subject) return text(message.message);
    return QString();
}

bool listsInUpperCase(const QStringList& list, const QString& guard) {
    return std::any_of(list.begin(), list.end(), [&guard](const QString& item) { return item.toUpper() == guard; });
}

// DueLevelPos follows the reading only while the due level is on show.
void keepPosition(Program& p) {
    state::ProgramState& s = p.state;
    if (core::Stage(s.settings.CourseStage).dueLevel() == s.LevelShown) s.DueLevelPos = s.settings.ScrollPos;
    state::showReadingDistance(p);
}

bool endOfTextReached(state::ProgramState& s, int level) {
    if (std::abs(qint64(s.settings.ScrollPos)) < s.LevelEnd[std::size_t(level)]) return false;
    s.EndReached = true;
    s.LevelJustPassed = false;
    return true;
}

// The per-mille reading distance, rounded up. Returns the mark of the step before.
int showReadingMark(Program& p, int level) {
    state::ProgramState& s = p.state;
    const double share = double(s.settings.ScrollPos) / double(s.LevelEnd[std::size_t(level)]);
    s.ProgressMark = std::int32_t(std::abs(std::floor(share * 1000.0)));
    const int previousMark = s.LastCheckpointMark;
    s.LastCheckpointMark = s.ProgressMark;
    state::showProgressMark(p);
    p.sys.Yield();
    return previousMark;
}

void endWithStop(Program& p, CheckpointEnding ending) {
    if (ending == WaitsStops) torch::WaitForTorchClosed(p);
    p.state.run.ScrollActive = false;
}

// A new topic or subject is stored before the wait for OK, so nothing is left to fail after it.
void listAndStop(Program& p, const char* indexFile, const QString& name, CheckpointEnding ending) {
    appendThenSave(p, indexFile, name, SaveProgressFiles);
    RefillLists(p);
    p.window.newTopicMarker->show();
    p.state.run.AskYesNo = false;
    endWithStop(p, ending);
}

void passTopic(Program& p, const Checkpoint& checkpoint) {
    state::ProgramState& s = p.state;
    const QString name = text(checkpoint.name);
    if (p.state.screen.Topics.contains(name)) return;
    s.run.ScrollActive = false;
    s.run.AskYesNo = false;
    torch::ShowTorchDocument(p, text(checkpoint.document), 1);
    // The check-point that starts the course counts from a clean slate, stored with its topic; it is
    // cleared after the torch's animation, whose yields may run a handler that saves the counters.
    if (checkpoint.name == core::CourseStartTopic) ClearProgressTables(p.state);
    ++s.StageCounters[core::CheckpointsPassed][stageColumn(s)];
    listAndStop(p, "info.ndx", name, checkpoint.ending);
}

// Required subjects are stored in upper case, optional ones in lower case; the guard compares in
// upper case, so either is found again.
void passSubject(Program& p, const Checkpoint& checkpoint) {
    state::ProgramState& s = p.state;
    const QString name = text(checkpoint.name);
    if (listsInUpperCase(p.state.screen.Subjects, name.toUpper())) return;
    s.run.ScrollActive = false;
    s.run.AskYesNo = false;
    core::WriteGeneratedDocument(appFile(p, SubjectMessageDocument), {subjectMessage(checkpoint.name)});
    // The name as written: a stale copy whose name differs only in case must not be shown instead.
    torch::ShowTorchDocument(p, QLatin1String(SubjectMessageDocument), 1);
    ++s.StageCounters[core::CheckpointsPassed][stageColumn(s)];
    if (checkpoint.kind == Subject) ++s.StageCounters[core::RequiredSubjectsAdded][stageColumn(s)];
    listAndStop(p, "mission.ndx", name, checkpoint.ending);
}

// Shown and counted on every pass; the skip ahead keeps the next steps from matching again.
// Everything is stored before the wait, so nothing is left to fail once other handlers have run
// in it. Scrolling goes on unless the user stopped it while the document was open, except where
// the check-point resumes it.
void passSecondPassTopic(Program& p, const Checkpoint& checkpoint) {
    state::ProgramState& s = p.state;
    torch::closeTorchPanel(p, torch::WithTorchSound);
    s.run.AskYesNo = false;
    torch::ShowTorchDocument(p, text(checkpoint.document), 1);
    ++s.StageCounters[core::CheckpointsPassed][stageColumn(s)];
    ++s.StageCounters[core::SecondPassTopicsUnlocked][stageColumn(s)];
    AddTopic(p, text(checkpoint.name), SaveProgressFiles);
    torch::WaitForTorchClosed(p);
    s.ProgressMark += SkipAheadMarks;
    state::moveReadingPane(p, s.settings.ScrollPos - SkipAheadPixels);
    if (checkpoint.ending == WaitsSkipsAheadResumes) s.run.ScrollActive = true;
}

// Counted when the mark arrives at it, not on the steps that stay on it, and never beyond the
// stage's number of check-points (scrolling back and over it again arrives again).
void passSilent(Program& p, const Checkpoint& checkpoint, int previousMark) {
    state::ProgramState& s = p.state;
    const std::size_t column = stageColumn(s);
    if (previousMark == checkpoint.position ||
        s.StageCounters[core::CheckpointsPassed][column] >= s.StageRequirements[core::CheckpointsPassed][column])
        return;
    ++s.StageCounters[core::CheckpointsPassed][column];
    SaveProgressFiles(p);
}

void carryOut(Program& p, const Checkpoint& checkpoint, int previousMark) {
    switch (checkpoint.kind) {
    case Topic: passTopic(p, checkpoint); break;
    case Subject:
    case OptionalSubject: passSubject(p, checkpoint); break;
    case SecondPassTopic: passSecondPassTopic(p, checkpoint); break;
    case Silent: passSilent(p, checkpoint, previousMark); break;
    }
}

}   // namespace

// Re-entry: the yield after the mark and the waits for the Torch panel let other handlers run,
// including the arrows; a nested forward loop calls this again and meets a listed name, so a
// topic or subject acts once. Nothing here is locked. Each check-point is an operation of its own:
// the scroll goes on after some, and a later failure must not take back what they stored.
void RunCheckpoints(Program& p) {
    keepPosition(p);
    state::ProgramState& s = p.state;
    if (s.settings.CourseStage < -1 || s.settings.CourseStage > LastScheduledStage) return;
    const int level = core::Stage(s.settings.CourseStage).dueLevel();
    if (endOfTextReached(s, level)) return;
    const int previousMark = showReadingMark(p, level);
    if (const Checkpoint* checkpoint = checkpointAt(s.settings.CourseStage, s.ProgressMark))
        state::RunOperation(p, [&p, checkpoint, previousMark] { carryOut(p, *checkpoint, previousMark); });
}

}   // namespace veltrin::progress
