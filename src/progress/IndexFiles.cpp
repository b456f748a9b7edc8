#include "progress/Progress.h"
#include "progress/ProgressFiles.h"

#include "base/Numbers.h"
#include "base/TextFile.h"

#include <QRegularExpression>
#include <algorithm>

namespace veltrin::progress {

namespace {

constexpr int StatusLines = 3 * core::StageColumns;   // rows 1 .. 3 of the stage counters
constexpr int WorkLines = 2 * core::SubjectRows;      // name and count of each required subject
// Counters are held within this when read: far beyond any count a course reaches, and far inside
// the 16-bit stage counters, so a counter read at the limit still counts on without overflowing.
constexpr qint64 CountLimit = 30000;

// A refilled list has no item chosen and shows no text: the box's list would otherwise choose its
// first item and show, say, "Greetings" beside the document on show. Picking any item sets the text.
void fillList(QComboBox& list, const QStringList& items) {
    list.clear();
    list.addItems(items);
    list.setCurrentIndex(-1);
}

// The subject box's text is the user's subject: a refill changes the list under it, never the
// text, an empty one included.
void refillKeepingText(QComboBox& box, const QStringList& items) {
    const QString text = box.currentText();
    fillList(box, items);
    box.setEditText(text);
}

QStringList statusLines(const state::ProgramState& s) {
    QStringList lines;
    for (std::size_t row = 1; row <= 3; ++row)
        for (std::int16_t counter : s.StageCounters[row]) lines << base::numberText(counter);
    return lines;
}

QStringList workLines(const state::ProgramState& s) {
    QStringList lines;
    for (std::size_t row = 1; row <= core::SubjectRows; ++row) lines << s.SubjectProgress[row].name << s.SubjectProgress[row].count;
    return lines;
}

// A count as the progress files write it: digits, perhaps a minus sign, blanks around.
bool isWholeNumber(const QString& line) {
    static const QRegularExpression wholeNumber(QStringLiteral("^ *-?[0-9]+ *$"));
    return wholeNumber.match(line).hasMatch();
}

QString shortFile(int lines, int expected) { return QStringLiteral("it holds %1 of its %2 lines").arg(lines).arg(expected); }

// What could be read of one file, and the first thing found wrong with it (empty when nothing).
struct FileContent {
    QString path;
    QStringList lines;
    QString damage;
};

// A missing file reads as no lines and counts as damaged; a file that exists but cannot be read
// throws FileError like any other failure.
FileContent readStoredFile(const Program& p, const char* name) {
    FileContent file{appFile(p, name), {}, {}};
    if (base::fileExists(file.path)) file.lines = base::readLines(file.path);
    else file.damage = QStringLiteral("it is missing");
    return file;
}

void noteDamage(FileContent& file, const QString& damage) {
    if (file.damage.isEmpty()) file.damage = damage;
}

// Tells the user once which files are damaged; a file read whole again may be reported anew later.
void reportDamage(Program& p, const std::initializer_list<const FileContent*> files) {
    QStringList& reported = p.state.ReportedDamage;
    QStringList news;
    for (const FileContent* file : files) {
        if (file->damage.isEmpty()) reported.removeAll(file->path);
        else if (!reported.contains(file->path)) {
            reported << file->path;
            news << QStringLiteral("%1\n(%2)").arg(file->path, file->damage);
        }
    }
    if (news.isEmpty()) return;
    p.sys.messageBox(QStringLiteral("Veltrin found damage in\n%1\n\nIt uses what it could read. "
                                    "The file stays as it is until your progress is next saved.")
                         .arg(news.join(QStringLiteral("\n"))));
}

// The counter on a line of a progress file, held in lowest .. CountLimit; a line that is there but
// is no whole number, or one outside that range, is noted as damage.
qint64 readCounter(FileContent& file, int line, qint64 lowest) {
    const QString text = file.lines.value(line);
    const qint64 value = base::readNumber(text);
    const qint64 held = std::clamp(value, lowest, CountLimit);
    if (line >= file.lines.size()) return held;
    if (!isWholeNumber(text)) noteDamage(file, QStringLiteral("line %1 is not a number").arg(line + 1));
    else if (held != value) noteDamage(file, QStringLiteral("line %1 is out of range").arg(line + 1));
    return held;
}

// Stage counters keep their sign, as the file writes it ("-2").
void loadStageCounters(state::ProgramState& s, FileContent& status) {
    if (status.lines.size() < StatusLines) noteDamage(status, shortFile(int(status.lines.size()), StatusLines));
    for (int line = 0; line < StatusLines; ++line)
        s.StageCounters[std::size_t(line / core::StageColumns + 1)][std::size_t(line % core::StageColumns)] =
            std::int16_t(readCounter(status, line, -CountLimit));
}

// Names come from the subject table when it is filled (a damaged name line cannot then lose a
// subject's entries); a count that is not a whole number keeps the number it starts with, and no
// count is below none.
void loadSubjectProgress(state::ProgramState& s, FileContent& work) {
    if (work.lines.size() < WorkLines) noteDamage(work, shortFile(int(work.lines.size()), WorkLines));
    for (int row = 1; row <= core::SubjectRows; ++row) {
        const int nameLine = 2 * row - 2;
        const int countLine = nameLine + 1;
        const QString expected = s.SubjectRequirements[std::size_t(row)].name.toUpper();
        QString name = work.lines.value(nameLine);
        if (!expected.isEmpty() && name != expected) {
            if (nameLine < work.lines.size()) noteDamage(work, QStringLiteral("line %1 should be %2").arg(nameLine + 1).arg(expected));
            name = expected;
        }
        const QString stored = work.lines.value(countLine);
        const qint64 count = readCounter(work, countLine, 0);
        const bool keptAsStored = isWholeNumber(stored) && base::readNumber(stored) == count;
        s.SubjectProgress[std::size_t(row)].name = name;
        s.SubjectProgress[std::size_t(row)].count = keptAsStored ? stored : QString::number(count);
    }
}

// The progress file's new bytes, unless it already holds exactly these lines: a file left alone
// cannot fail.
void addIfChanged(QList<base::FileBytes>& changed, const QString& path, const QStringList& lines) {
    const QByteArray bytes = base::lineBytes(lines);
    if (!base::fileExists(path) || base::readBytes(path) != bytes) changed.append({path, bytes});
}

}   // namespace

QString appFile(const Program& p, const char* name) { return p.state.settings.AppDir + QLatin1String(name); }

void appendThenSave(Program& p, const char* indexFile, const QString& line, SaveStep save) {
    base::appendLineWith(appFile(p, indexFile), line, [&p, save] { save(p); });
}

void RefillLists(Program& p) {
    const FileContent topics = readStoredFile(p, "info.ndx");
    const FileContent subjects = readStoredFile(p, "mission.ndx");
    p.state.screen.Topics = topics.lines;
    p.state.screen.Subjects = subjects.lines;
    fillList(*p.window.topicList, topics.lines);
    refillKeepingText(*p.window.subjectBox, subjects.lines);
    reportDamage(p, {&topics, &subjects});
}

void ClearLists(Program& p) {
    p.state.screen.Topics.clear();
    p.state.screen.Subjects.clear();
    fillList(*p.window.topicList, {});
    refillKeepingText(*p.window.subjectBox, {});
}

bool appendTopicThenSave(Program& p, const QString& name, SaveStep save) {
    if (p.state.screen.Topics.contains(name)) {
        save(p);
        return false;
    }
    appendThenSave(p, "info.ndx", name, save);
    return true;
}

void AddTopic(Program& p, const QString& name, SaveStep save) {
    if (appendTopicThenSave(p, name, save)) RefillLists(p);
}

// The two files are rewritten together: a check-point that starts the course changes both.
void SaveProgressFiles(Program& p) {
    QList<base::FileBytes> changed;
    addIfChanged(changed, appFile(p, "status.ndx"), statusLines(p.state));
    addIfChanged(changed, appFile(p, "work.ndx"), workLines(p.state));
    base::rewriteTogether(changed);
}

void LoadProgressFiles(Program& p) {
    FileContent status = readStoredFile(p, "status.ndx");
    FileContent work = readStoredFile(p, "work.ndx");
    loadStageCounters(p.state, status);
    loadSubjectProgress(p.state, work);
    reportDamage(p, {&status, &work});
}

QList<base::FileBytes> freshProgressFiles(const Program& p) {
    state::ProgramState fresh = p.state;
    ClearProgressTables(fresh);
    return {{appFile(p, "status.ndx"), base::lineBytes(statusLines(fresh))}, {appFile(p, "work.ndx"), base::lineBytes(workLines(fresh))}};
}

void ClearProgressTables(state::ProgramState& s) {
    for (auto& row : s.StageCounters) row.fill(0);
    for (std::size_t row = 1; row <= core::SubjectRows; ++row) {
        s.SubjectProgress[row].name = s.SubjectRequirements[row].name.toUpper();
        s.SubjectProgress[row].count = QStringLiteral("0");
    }
}

}   // namespace veltrin::progress
