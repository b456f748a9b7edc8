#include "CourseFiles.h"

namespace veltrin::course {

namespace {

constexpr int stageCounterLines = 45;   // three counters for each of fifteen stages

QByteArray line(const QByteArray& text) { return text + "\r\n"; }

}   // namespace

QByteArray startingTopicIndex() { return line("Greetings") + line("Status"); }

QByteArray startingSubjectIndex() { return line("Journal Entry"); }

QByteArray startingStageCounters() { return line(" 0").repeated(stageCounterLines); }

QByteArray startingSubjectCounts() {
    QByteArray out;
    for (const char* subject : requiredSubjects) out += line(QByteArray(subject).toUpper()) + line("0");
    return out;
}

}   // namespace veltrin::course
