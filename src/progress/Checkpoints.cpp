#include "progress/Progress.h"
#include "progress/ProgressFiles.h"
#include "progress/Schedule.h"

#include "base/Numbers.h"
#include "state/State.h"
#include "torch/Torch.h"

#include <cmath>

namespace veltrin::progress {

namespace {

constexpr int LastScheduledStage = 13;
constexpr int SkipAheadMarks = 5;
constexpr int SkipAheadPixels = 50;
constexpr const char* SubjectMessageDocument = "newsubject.rtf";

QString text(std::string_view literal) { return QString::fromLatin1(literal.data(), qsizetype(literal.size())); }

std::size_t stageColumn(const state::ProgramState& s) { return state::Stage(s.CourseStage).column(); }

const Checkpoint* checkpointAt(int stage, int mark) {
    for (const Checkpoint& checkpoint : Schedule)
        if (checkpoint.stage == stage && checkpoint.position == mark) return &checkpoint;
    return nullptr;
}

QString subjectMessage(std::string_view subject) {
    for (const SubjectMessage& message : SubjectMessages)
        if (message.subject == subject) return text(message.message);
    return QString();
}

bool listsInUpperCase(const QComboBox& list, const QString& guard) {
    bool found = false;
    for (int item = 0; item < list.count(); ++item) found = found || list.itemText(item).toUpper() == guard;
    return found;
}

// DueLevelPos follows the reading only while the due level is on show.
void keepPosition(Program& p) {
    state::ProgramState& s = p.state;
    if (state::Stage(s.CourseStage).dueLevel() == s.LevelShown) s.DueLevelPos = s.ScrollPos;
    state::showReadingDistance(p);
}

bool endOfTextReached(state::ProgramState& s, int level) {
    if (std::abs(qint64(s.ScrollPos)) < s.LevelEnd[std::size_t(level)]) return false;
    s.EndReached = true;
    s.LevelJustPassed = false;
    return true;
}

// The per-mille reading distance, rounded up. Returns the mark of the step before.
int showReadingMark(Program& p, int level) {
    state::ProgramState& s = p.state;
    const double share = double(s.ScrollPos) / double(s.LevelEnd[std::size_t(level)]);
    s.ProgressMark = std::int32_t(std::abs(std::floor(share * 1000.0)));
    const int previousMark = s.LastCheckpointMark;
    s.LastCheckpointMark = s.ProgressMark;
    state::showProgressMark(p);
    p.sys.Yield();
    return previousMark;
}

void endWithStop(Program& p, CheckpointEnding ending) {
    if (ending == WaitsStops) state::WaitForTorchClosed(p);
    p.state.ScrollActive = false;
}

// A new topic or subject is stored before the wait for OK, so nothing is left to fail after it.
void listAndStop(Program& p, const char* indexFile, const QString& name, CheckpointEnding ending) {
    appendThenSave(p, indexFile, name, SaveProgressFiles);
    RefillLists(p);
    p.window.newTopicMarker->show();
    p.state.AskYesNo = false;
    endWithStop(p, ending);
}

void passTopic(Program& p, const Checkpoint& checkpoint) {
    state::ProgramState& s = p.state;
    const QString name = text(checkpoint.name);
    if (listsExactly(*p.window.topicList, name)) return;
    s.ScrollActive = false;
    s.AskYesNo = false;
    state::ShowTorchDocument(p, text(checkpoint.document), 1);
    // The check-point that starts the course counts from a clean slate, stored with its topic; it is
    // cleared after the torch's animation, whose yields may run a handler that saves the counters.
    if (checkpoint.name == CourseStartTopic) ClearProgressTables(p.state);
    ++s.StageCounters[1][stageColumn(s)];
    listAndStop(p, "info.ndx", name, checkpoint.ending);
}

// Required subjects are stored in upper case, optional ones in lower case; the guard compares in
// upper case, so either is found again.
void passSubject(Program& p, const Checkpoint& checkpoint) {
    state::ProgramState& s = p.state;
    const QString name = text(checkpoint.name);
    if (listsInUpperCase(*p.window.subjectBox, name.toUpper())) return;
    s.ScrollActive = false;
    s.AskYesNo = false;
    state::WriteGeneratedDocument(appFile(p, SubjectMessageDocument), {subjectMessage(checkpoint.name)});
    // The name as written: a stale copy whose name differs only in case must not be shown instead.
    state::ShowTorchDocument(p, QLatin1String(SubjectMessageDocument), 1);
    ++s.StageCounters[1][stageColumn(s)];
    if (checkpoint.kind == Subject) ++s.StageCounters[2][stageColumn(s)];
    listAndStop(p, "mission.ndx", name, checkpoint.ending);
}

// Shown and counted on every pass; the skip ahead keeps the next steps from matching again.
// Everything is stored before the wait, so nothing is left to fail once other handlers have run
// in it. Scrolling goes on unless the user stopped it while the document was open, except where
// the check-point resumes it.
void passSecondPassTopic(Program& p, const Checkpoint& checkpoint) {
    state::ProgramState& s = p.state;
    state::closeTorchPanel(p, state::WithTorchSound);
    s.AskYesNo = false;
    state::ShowTorchDocument(p, text(checkpoint.document), 1);
    ++s.StageCounters[1][stageColumn(s)];
    ++s.StageCounters[3][stageColumn(s)];
    AddTopic(p, text(checkpoint.name), SaveProgressFiles);
    state::WaitForTorchClosed(p);
    s.ProgressMark += SkipAheadMarks;
    state::moveReadingPane(p, s.ScrollPos - SkipAheadPixels);
    if (checkpoint.ending == WaitsSkipsAheadResumes) s.ScrollActive = true;
}

// Counted when the mark arrives at it, not on the steps that stay on it, and never beyond the
// stage's number of check-points (scrolling back and over it again arrives again).
void passSilent(Program& p, const Checkpoint& checkpoint, int previousMark) {
    state::ProgramState& s = p.state;
    const std::size_t column = stageColumn(s);
    if (previousMark == checkpoint.position || s.StageCounters[1][column] >= s.StageRequirements[1][column]) return;
    ++s.StageCounters[1][column];
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
    if (s.CourseStage < -1 || s.CourseStage > LastScheduledStage) return;
    const int level = state::Stage(s.CourseStage).dueLevel();
    if (endOfTextReached(s, level)) return;
    const int previousMark = showReadingMark(p, level);
    if (const Checkpoint* checkpoint = checkpointAt(s.CourseStage, s.ProgressMark))
        state::RunOperation(p, [&p, checkpoint, previousMark] { carryOut(p, *checkpoint, previousMark); });
}

}   // namespace veltrin::progress
