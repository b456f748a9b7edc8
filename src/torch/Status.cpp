#include "torch/Torch.h"

#include "base/Numbers.h"

#include <algorithm>
#include <array>

namespace veltrin::torch {

namespace {

const QString StatusTopic = QStringLiteral("Status");
const QString StatusDocument = QStringLiteral("status.rtf");

// The fixed texts of the status report, in the order they appear.
constexpr const char* TitleLine = "\\cf2 Your Veltrin Title is:\\par";
constexpr const char* TitleOpening = "\\cf3 ";
constexpr const char* TitleClosing = "\\par\\par\\cf2 ";
constexpr std::array<const char*, 2> NothingDoneLines{
    "Click the \\par Key \\par Button to load the Veltrin Introduction. Click the \\par UP Arrow \\par on the "
    "right to begin scrolling.\\par",
    "\\par There are 3 position check-points to pass as you scroll the Introduction.",
};
constexpr const char* FinishedLine = "You are a Commander of the Inner Realm.\\par Congradulations.";
constexpr const char* CheckpointsOpening = "You have";
constexpr const char* CheckpointSingular = " check-point";
constexpr const char* CheckpointPlural = " check-points";
constexpr const char* CheckpointsClosing = " yet to pass as you scroll this level.";
constexpr const char* SubjectNameOpening = "\\par\\par\\cf1 ";
constexpr const char* SubjectNameClosing = "\\cf0 ";
constexpr const char* SubjectCountOpening = "\\par\\cf1 ";
constexpr const char* SubjectCountMiddle = "\\cf3  of \\cf2 ";
constexpr const char* SubjectCountClosing = "\\cf3  complete.\\cf0 ";
constexpr const char* ThingsLeftOpening = "\\par\\par There ";
constexpr const char* ThingsLeftEnding = " to do in this level.";
constexpr const char* LastLevelEnding = " left to do in this level.";

constexpr int LastLevelStage = 13;

QString checkpointsLine(const state::ProgramState& s, core::Stage stage) {
    const std::size_t column = stage.column();
    const int left = s.StageRequirements[core::CheckpointsPassed][column] - s.StageCounters[core::CheckpointsPassed][column];
    return QLatin1String(CheckpointsOpening) + base::numberText(left) + QLatin1String(left == 1 ? CheckpointSingular : CheckpointPlural) +
           QLatin1String(CheckpointsClosing);
}

QStringList subjectLines(const state::ProgramState& s, std::size_t row) {
    return {QLatin1String(SubjectNameOpening) + s.SubjectRequirements[row].name + QLatin1String(SubjectNameClosing),
            QLatin1String(SubjectCountOpening) + s.SubjectProgress[row].count + QLatin1String(SubjectCountMiddle) +
                s.SubjectRequirements[row].count + QLatin1String(SubjectCountClosing)};
}

// Entries beyond a subject's minimum do not make up for another subject's missing ones.
qint64 thingsLeft(const state::ProgramState& s, core::SubjectRowRange rows) {
    qint64 left = 0;
    for (int row = rows.first; row <= rows.last; ++row) {
        const qint64 required = base::readNumber(s.SubjectRequirements[std::size_t(row)].count);
        const qint64 made = base::readNumber(s.SubjectProgress[std::size_t(row)].count);
        left += required - std::min(made, required);
    }
    return left;
}

QString thingsLeftLine(qint64 left, core::Stage stage) {
    const bool one = left == 1;
    return QLatin1String(ThingsLeftOpening) + QLatin1String(one ? "is" : "are") + base::numberText(left) +
           QLatin1String(one ? " thing" : " things") + QLatin1String(stage.value() == LastLevelStage ? LastLevelEnding : ThingsLeftEnding);
}

QStringList secondPassLines(const state::ProgramState& s, core::Stage stage) {
    const core::SubjectRowRange rows = stage.secondPassSubjects();
    QStringList lines{checkpointsLine(s, stage)};
    for (int row = rows.first; row <= rows.last; ++row) lines << subjectLines(s, std::size_t(row));
    lines << thingsLeftLine(thingsLeft(s, rows), stage);
    return lines;
}

QStringList bodyLines(const state::ProgramState& s) {
    const core::Stage stage = core::Stage(s.settings.CourseStage).shown();
    switch (stage.pass()) {
    case core::Pass::Finished: return {QLatin1String(FinishedLine)};
    case core::Pass::Introduction: return {QLatin1String(NothingDoneLines[0]), QLatin1String(NothingDoneLines[1])};
    case core::Pass::First: return {checkpointsLine(s, stage)};
    case core::Pass::Second: break;
    }
    return secondPassLines(s, stage);
}

// Rewrites AppDir & "status.rtf" from the title, the stage and the progress tables. Throws FileError.
void writeStatusReport(Program& p) {
    const state::ProgramState& s = p.state;
    const QStringList title{QLatin1String(TitleLine), QLatin1String(TitleOpening) + s.TitleText + QLatin1String(TitleClosing)};
    core::WriteGeneratedDocument(s.settings.AppDir + StatusDocument, title + bodyLines(s));
}

}   // namespace

// A topic was chosen: Torch shows its document, or a fresh status report for "Status" (exact case;
// any other spelling shows the stored file as a plain topic).
void onTopicPicked(Program& p) {
    torch::closeTorchPanel(p, torch::Silent);
    const QString topic = p.window.topicList->currentText();
    if (topic == StatusTopic) {
        writeStatusReport(p);
        torch::PlaySound(p, QStringLiteral("speak"));
        torch::ShowTorchDocument(p, StatusDocument, 0);
        return;
    }
    torch::PlaySound(p, QStringLiteral("speak"));
    torch::ShowTorchDocument(p, topic + QStringLiteral(".rtf"), 0);
}

}   // namespace veltrin::torch
