#include "remind/Remind.h"

#include "base/TextFile.h"
#include "core/JournalExport.h"
#include "core/JournalStore.h"
#include "core/Settings.h"
#include "core/Stage.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace veltrin::remind {

namespace {

const QString HandledWord = QStringLiteral("handled ");
const QString PendingWord = QStringLiteral("pending ");
const QString StampForm = QStringLiteral("yyyy-MM-dd HH:mm");

QString pathIn(const QString& folder, const QString& name) { return QDir(folder).filePath(name); }

// The day the file was last written, in the user's zone; none when it is not there.
QDate modifiedOn(const QString& path) {
    const QFileInfo file(path);
    return file.exists() ? file.lastModified().date() : QDate();
}

int percentOf(int level, std::int32_t scrollPos) {
    if (level < 0 || level >= int(core::LevelEnds.size())) return 0;
    const qint64 distance = std::abs(qint64(scrollPos));
    return int(std::min<qint64>(100, distance * 100 / core::LevelEnds[std::size_t(level)]));
}

// The store is appended to only when an entry is added: one not written today holds none of today.
// A protected store cannot be read without its passphrase, which a reminder never asks for: written
// today, it is taken to hold today's entry.
bool holdsEntryOf(const QString& store, const QDate& today) {
    if (modifiedOn(store) != today) return false;
    if (core::journalIsSealed(store)) return true;
    const core::ChronologyReader dates(QLocale::system(), today.year());
    core::JournalReader reader(store);
    core::StoredEntry entry;
    while (reader.next(entry))
        if (dates.read(entry.chronology).date() == today) return true;
    return false;
}

}   // namespace

QList<QTime> readTimes(const QString& settingsFolder) {
    const QString path = pathIn(settingsFolder, TimesFileName);
    if (!base::fileExists(path)) return {};
    const std::optional<QList<QTime>> times = parseTimeList(base::readLines(path).join(QLatin1Char(' ')));
    if (!times) throw base::FileError(path, QStringLiteral("a line is not a time of day such as 20:00"));
    return *times;
}

ReminderState readState(const QString& settingsFolder) {
    const QString path = pathIn(settingsFolder, StateFileName);
    ReminderState state;
    if (!base::fileExists(path)) return state;
    for (const QString& line : base::readLines(path)) {
        if (line.startsWith(PendingWord)) state.pending << line.mid(PendingWord.size());
        if (!line.startsWith(HandledWord)) continue;
        const QDateTime stamp = QDateTime::fromString(line.mid(HandledWord.size()), StampForm);
        if (stamp.isValid()) state.handled = WallClock{stamp.date(), stamp.time()};
    }
    return state;
}

QStringList stateLines(const ReminderState& state) {
    QStringList lines;
    if (state.handled) lines << HandledWord + QDateTime(state.handled->date, state.handled->time).toString(StampForm);
    for (const QString& line : state.pending) lines << PendingWord + line;
    return lines;
}

void writeState(const QString& settingsFolder, const ReminderState& state) {
    base::rewriteLines(pathIn(settingsFolder, StateFileName), stateLines(state));
}

void clearPending(const QString& settingsFolder) {
    ReminderState state = readState(settingsFolder);
    if (state.pending.isEmpty()) return;
    state.pending.clear();
    writeState(settingsFolder, state);
}

std::optional<DayWork> readDayWork(const QString& settingsFolder, const QDate& today) {
    const QString path = pathIn(settingsFolder, core::SettingsFileName);
    if (!base::fileExists(path)) return {};
    const core::Settings settings = core::parseSettings(base::readLines(path), path);
    DayWork work;
    work.dueLevel = core::Stage(settings.CourseStage).shown().dueLevel();
    work.percentRead = percentOf(work.dueLevel, settings.ScrollPos);
    work.readToday = modifiedOn(base::findIgnoringCase(settings.AppDir, QStringLiteral("status.ndx"))) == today;
    work.wroteToday = holdsEntryOf(settings.CourseDir + core::JournalStoreName, today);
    return work;
}

QStringList reminderLines(const DayWork& work) {
    QStringList lines;
    if (!work.readToday && work.dueLevel == 0)
        lines << QStringLiteral("The Introduction is waiting: you are %1% through").arg(work.percentRead);
    else if (!work.readToday && work.dueLevel < 8)
        lines << QStringLiteral("Level %1 is waiting: you are %2% through").arg(work.dueLevel).arg(work.percentRead);
    if (!work.wroteToday) lines << QStringLiteral("No journal entry yet today");
    return lines;
}

}   // namespace veltrin::remind
