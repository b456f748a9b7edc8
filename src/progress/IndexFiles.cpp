#include "progress/Progress.h"

#include "base/Numbers.h"
#include "base/TextFile.h"

namespace veltrin::progress {

namespace {

constexpr int StatusLines = 3 * shell::StageColumns;    // rows 1 .. 3 of the stage counters
constexpr int WorkLines = 2 * shell::SubjectRows;       // name and count of each required subject

QString appFile(const Program& p, const char* name) { return p.state.AppDir + QLatin1String(name); }

void fillList(QComboBox& list, const QStringList& items) {
    list.clear();
    list.addItems(items);
}

QStringList statusLines(const shell::ProgramState& s) {
    QStringList lines;
    for (std::size_t row = 1; row <= 3; ++row)
        for (std::int16_t counter : s.StageCounters[row]) lines << base::numberText(counter);
    return lines;
}

QStringList workLines(const shell::ProgramState& s) {
    QStringList lines;
    for (std::size_t row = 1; row <= shell::SubjectRows; ++row) lines << s.SubjectProgress[row][1] << s.SubjectProgress[row][2];
    return lines;
}

} // namespace

void RefillLists(Program& p) {
    const QStringList topics = base::readLines(appFile(p, "info.ndx"));
    const QStringList subjects = base::readLines(appFile(p, "mission.ndx"));
    fillList(*p.form.Combo1, topics);
    fillList(*p.form.Combo2, subjects);
}

void SaveProgressFiles(Program& p) {
    base::rewriteLines(appFile(p, "status.ndx"), statusLines(p.state));
    base::rewriteLines(appFile(p, "work.ndx"), workLines(p.state));
}

void LoadProgressFiles(Program& p) {
    const QStringList status = base::readLines(appFile(p, "status.ndx"));
    const QStringList work = base::readLines(appFile(p, "work.ndx"));
    shell::ProgramState& s = p.state;
    for (int line = 0; line < StatusLines; ++line)
        s.StageCounters[std::size_t(line / shell::StageColumns + 1)][std::size_t(line % shell::StageColumns)] =
            base::readInteger16(status.value(line));
    for (int row = 1; row <= shell::SubjectRows; ++row) {
        s.SubjectProgress[std::size_t(row)][1] = work.value(2 * row - 2);
        s.SubjectProgress[std::size_t(row)][2] = work.value(2 * row - 1);
    }
}

void ClearProgressTables(Program& p) {
    shell::ProgramState& s = p.state;
    for (auto& row : s.StageCounters) row.fill(0);
    for (std::size_t row = 1; row <= shell::SubjectRows; ++row) {
        s.SubjectProgress[row][1] = s.SubjectRequirements[row][1].toUpper();
        s.SubjectProgress[row][2] = QStringLiteral("0");
    }
}

} // namespace veltrin::progress
