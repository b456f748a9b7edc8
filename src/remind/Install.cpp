#include "remind/Remind.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace veltrin::remind {

namespace {

constexpr int SystemctlWaitMs = 30'000;

QString pathIn(const QString& folder, const QString& name) { return QDir(folder).filePath(name); }

// Runs `systemctl --user ARGS`: empty when it succeeded, else why it did not.
QString systemctl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("systemctl"), QStringList{QStringLiteral("--user")} + arguments);
    if (!process.waitForFinished(SystemctlWaitMs)) {
        process.kill();
        process.waitForFinished();
        return process.error() == QProcess::FailedToStart ? QStringLiteral("systemctl cannot be started")
                                                          : QStringLiteral("systemctl did not answer");
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return {};
    const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return QStringLiteral("systemctl --user %1 failed%2")
        .arg(arguments.join(QLatin1Char(' ')), said.isEmpty() ? QString() : QStringLiteral(": ") + said);
}

void systemctlOrThrow(const QString& unitPath, const QStringList& arguments) {
    const QString failure = systemctl(arguments);
    if (!failure.isEmpty()) throw base::FileError(unitPath, failure);
}

bool userSystemdAnswers() { return systemctl({QStringLiteral("show-environment")}).isEmpty(); }

// A word of a systemd command line: in double quotes, with \, " and the specifier and variable signs escaped.
QString systemdWord(QString word) {
    word.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    word.replace(QLatin1Char('%'), QStringLiteral("%%")).replace(QLatin1Char('$'), QStringLiteral("$$"));
    return u'"' + word + u'"';
}

// A word of a desktop entry's Exec: quoted for the command line, then escaped as a string value.
QString desktopWord(QString word) {
    for (const char* sign : {"\\", "\"", "`", "$"}) word.replace(QLatin1String(sign), QLatin1Char('\\') + QLatin1String(sign));
    word = u'"' + word + u'"';
    return word.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QByteArray unixLines(const QStringList& lines) { return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(); }

QByteArray timerBytes(const QList<QTime>& times) {
    QStringList lines{QStringLiteral("[Unit]"), QStringLiteral("Description=Veltrin's reminders"), QString(), QStringLiteral("[Timer]")};
    for (const QTime time : times) lines << QStringLiteral("OnCalendar=*-*-* %1:00").arg(timeText(time));
    // A time missed while the machine was off fires once at the next start; to the second, not the minute.
    lines << QStringLiteral("Persistent=true") << QStringLiteral("AccuracySec=1s") << QString() << QStringLiteral("[Install]")
          << QStringLiteral("WantedBy=timers.target");
    return unixLines(lines);
}

QByteArray serviceBytes(const Places& places) {
    return unixLines({QStringLiteral("[Unit]"), QStringLiteral("Description=Veltrin's reminder of what the day still holds"), QString(),
                      QStringLiteral("[Service]"), QStringLiteral("Type=exec"),
                      QStringLiteral("ExecStart=%1 remind --check").arg(systemdWord(places.program))});
}

QByteArray autostartBytes(const Places& places) {
    return unixLines({QStringLiteral("[Desktop Entry]"), QStringLiteral("Type=Application"), QStringLiteral("Name=Veltrin reminders"),
                      QStringLiteral("Exec=%1 remind --wait").arg(desktopWord(places.program)), QStringLiteral("NoDisplay=true"),
                      QStringLiteral("X-GNOME-Autostart-enabled=true")});
}

struct Paths {
    QString times, state, timer, service, autostart;
};

Paths pathsOf(const Places& places) {
    return {pathIn(places.settingsFolder, TimesFileName), pathIn(places.settingsFolder, StateFileName),
            pathIn(places.unitFolder, TimerName), pathIn(places.unitFolder, ServiceName), pathIn(places.autostartFolder, AutostartName)};
}

void makeFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) throw base::FileError(folder, QStringLiteral("the folder cannot be made"));
}

// The files as they were, to put back when an installation fails half-way.
QList<base::FileBytes> snapshot(const QStringList& paths, QStringList& absent) {
    QList<base::FileBytes> present;
    for (const QString& path : paths) {
        if (base::fileExists(path)) present << base::FileBytes{path, base::readBytes(path)};
        else absent << path;
    }
    return present;
}

void putBack(const QList<base::FileBytes>& present, const QStringList& absent, base::FileError& error) {
    try {
        base::rewriteTogether(present);
        for (const QString& path : absent) base::removeFile(path);
    } catch (const base::FileError& failed) {
        error.noteLeftChanged(QStringLiteral("%1 could not be put back: %2").arg(failed.path(), failed.reason()));
    }
}

}   // namespace

Places userPlaces(const QString& settingsFolder, const QString& program) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {settingsFolder, config + QStringLiteral("/systemd/user"), config + QStringLiteral("/autostart"), program};
}

Runner setTimes(const Places& places, const QList<QTime>& times, const WallClock& now) {
    const Paths paths = pathsOf(places);
    const Runner runner = userSystemdAnswers() ? Runner::SystemdTimer : Runner::AutostartEntry;
    ReminderState state = readState(places.settingsFolder);
    state.handled = latestOccurrence(times, now);
    QList<base::FileBytes> files{{paths.times, base::lineBytes(timeListText(times).split(QStringLiteral(", ")))},
                                 {paths.state, base::lineBytes(stateLines(state))}};
    if (runner == Runner::SystemdTimer)
        files << base::FileBytes{paths.timer, timerBytes(times)} << base::FileBytes{paths.service, serviceBytes(places)};
    else files << base::FileBytes{paths.autostart, autostartBytes(places)};
    makeFolder(places.settingsFolder);
    makeFolder(runner == Runner::SystemdTimer ? places.unitFolder : places.autostartFolder);
    QStringList absent;
    const QList<base::FileBytes> before = snapshot({paths.times, paths.state, paths.timer, paths.service, paths.autostart}, absent);
    base::rewriteTogether(files);
    try {
        if (runner == Runner::SystemdTimer) {
            systemctlOrThrow(paths.timer, {QStringLiteral("daemon-reload")});
            systemctlOrThrow(paths.timer, {QStringLiteral("enable"), QStringLiteral("--now"), TimerName});
            base::removeFile(paths.autostart);
        } else {
            base::removeFile(paths.timer);
            base::removeFile(paths.service);
        }
    } catch (base::FileError& error) {
        putBack(before, absent, error);
        throw;
    }
    return runner;
}

void turnOff(const Places& places) {
    const Paths paths = pathsOf(places);
    const bool timerThere = base::fileExists(paths.timer);
    const bool systemd = timerThere && userSystemdAnswers();
    if (systemd) systemctlOrThrow(paths.timer, {QStringLiteral("disable"), QStringLiteral("--now"), TimerName});
    for (const QString& path : {paths.timer, paths.service, paths.autostart, paths.times, paths.state}) base::removeFile(path);
    if (systemd) systemctlOrThrow(paths.timer, {QStringLiteral("daemon-reload")});
}

QString statusText(const Places& places) {
    const QList<QTime> times = readTimes(places.settingsFolder);
    if (times.isEmpty()) return QStringLiteral("Reminders are off.");
    const Paths paths = pathsOf(places);
    const QString runner = base::fileExists(paths.timer)       ? QStringLiteral("the systemd user timer %1").arg(TimerName)
                           : base::fileExists(paths.autostart) ? QStringLiteral("the autostart entry %1").arg(paths.autostart)
                                                               : QStringLiteral("nothing: set the times again");
    QString text = QStringLiteral("Reminders at %1, run by %2.").arg(timeListText(times), runner);
    const ReminderState state = readState(places.settingsFolder);
    if (state.handled)
        text += QStringLiteral("\nReminded up to %1 %2.").arg(state.handled->date.toString(Qt::ISODate), timeText(state.handled->time));
    return text;
}

}   // namespace veltrin::remind
