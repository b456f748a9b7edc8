#pragma once
// Reminders: the times of day the user wants to be reminded at, kept in a file of their own beside
// the settings file; a systemd user timer (or, without a user systemd, an autostart entry) that runs
// the check with the program closed; the check, which decides what is due and shows it as a
// desktop notification, or keeps it for the program's next start when no notification can be shown.
// On the core alone: no window.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QTimeZone>

#include <optional>

namespace veltrin::remind {

inline const QString TimesFileName = QStringLiteral("veltrin-remind.ini");     // one "HH:MM" a line
inline const QString StateFileName = QStringLiteral("veltrin-remind.state");   // what fired, what waits
inline const QString TimerName = QStringLiteral("veltrin-remind.timer");
inline const QString ServiceName = QStringLiteral("veltrin-remind.service");
inline const QString AutostartName = QStringLiteral("veltrin-remind.desktop");
// The program's desktop entry, which the notification names as its sender.
inline const QString DesktopEntry = QStringLiteral("veltrin");
// The program's start option that opens the journal frame once it has started.
inline const QString JournalOption = QStringLiteral("--journal");

// A moment of the local wall clock, without a zone: set times are times of this clock, so that a
// change of zone or of daylight-saving time moves none of them.
struct WallClock {
    QDate date;
    QTime time;
    bool operator==(const WallClock&) const = default;
    bool operator<(const WallClock& other) const { return date != other.date ? date < other.date : time < other.time; }
};

// The wall clock at `instant` in `zone`.
WallClock wallClock(const QDateTime& instant, const QTimeZone& zone);
// The set time to remind of at `now`: the latest occurrence at or before it, when it is later than
// the one handled last (none handled yet: the latest). Times missed while nothing ran fold into that
// one; a clock set back (a zone to the west, the hour repeated in autumn) finds it handled.
std::optional<WallClock> dueOccurrence(const QList<QTime>& times, const std::optional<WallClock>& handled, const WallClock& now);
// The latest occurrence of a set time at or before `now`; none without times.
std::optional<WallClock> latestOccurrence(const QList<QTime>& times, const WallClock& now);

// "20:00", "8:30": hours 0 .. 23 and two-digit minutes; none otherwise.
std::optional<QTime> parseTime(const QString& text);
// "08:30".
QString timeText(QTime time);
// The times in a text such as "20:00, 8:30" (commas or blanks between), sorted, each once; none
// when a word is not a time.
std::optional<QList<QTime>> parseTimeList(const QString& text);
QString timeListText(const QList<QTime>& times);

// What fired and what waits for the program: the reminder's own state.
struct ReminderState {
    std::optional<WallClock> handled;   // the last set time reminded of (or passed over as done)
    QStringList pending;                // what was due when no notification could be shown
    bool operator==(const ReminderState&) const = default;
};

// The set times in the settings folder; none when there is no times file. Throws FileError.
QList<QTime> readTimes(const QString& settingsFolder);
// Throws FileError. A missing or unreadable state reads as nothing handled, nothing pending.
ReminderState readState(const QString& settingsFolder);
// The state file's lines.
QStringList stateLines(const ReminderState& state);
// Rewrites the state file whole. Throws FileError; the old file stays as it was.
void writeState(const QString& settingsFolder, const ReminderState& state);

// How far the user is and what the day holds, read from the course's files.
struct DayWork {
    int dueLevel = 8;          // 0 the introduction, 1 .. 7, 8 none (the course is finished)
    int percentRead = 0;       // of the due level's text, by the saved reading position
    bool readToday = false;    // a check-point was passed today
    bool wroteToday = false;   // the journal holds an entry of today
};
// A check-point passed rewrites the progress file status.ndx, and nothing else does but a reset or
// a first run: its modification day tells whether the user read past a check-point today. An
// entry of today is one whose chronology reads as today's date. Throws FileError (the settings
// file, the journal store); none when there is no settings file.
std::optional<DayWork> readDayWork(const QString& settingsFolder, const QDate& today);
// The reminder's lines: "Level 3 is waiting: you are 40% through", "No journal entry yet today";
// empty when the day's work is done.
QStringList reminderLines(const DayWork& work);

// Where reminders keep their files and what the timer or the autostart entry starts.
struct Places {
    QString settingsFolder;    // the settings file's folder: the times and the state
    QString unitFolder;        // the user's systemd units
    QString autostartFolder;   // the desktop's autostart entries
    QString program;           // the program (`veltrin`) the timer, the entry and the actions start
};
// The user's folders (XDG_CONFIG_HOME or ~/.config) for the program at `program`.
Places userPlaces(const QString& settingsFolder, const QString& program);

enum class Runner { SystemdTimer, AutostartEntry };
// Stores the times and installs what runs the check: a systemd user timer when the user's systemd
// answers, an autostart entry otherwise; the times already past `now` count as reminded. All or
// nothing: a failure (FileError naming the file) leaves every file as it was.
Runner setTimes(const Places& places, const QList<QTime>& times, const WallClock& now);
// Removes the times, the state, the timer and its service, and the autostart entry. Throws FileError.
void turnOff(const Places& places);
// The times set and what runs the check, for the user; "off" when none are set.
QString statusText(const Places& places);

// The desktop's notification server (org.freedesktop.Notifications on the session bus).
class Notifier : public QObject {
    Q_OBJECT
public:
    Notifier();
    // Shows the reminder with the actions "Read now" and "Write now"; false when no server takes it.
    bool show(const QStringList& lines);

signals:
    // The user picked "read" or "write" on the reminder shown.
    void actionPicked(const QString& action);
    // The reminder shown is gone, picked or not.
    void closed();

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    std::optional<uint> m_shown;
};

// What one check did.
enum class CheckOutcome { NothingDue, DayDone, Notified, Kept };
// The check the timer runs: when a set time is due, reminds of what the day still holds (or passes
// it over when the day is done) and notes it handled. A reminder that no notification server takes
// is kept for the program's next start. Throws FileError.
CheckOutcome checkNow(const Places& places, const QDateTime& now, const QTimeZone& zone, Notifier& notifier);
// Clears the reminders kept for the program. Throws FileError.
void clearPending(const QString& settingsFolder);

// Starts the program: for "write" with the journal open, for "read" at the reading pane.
bool startProgram(const Places& places, const QString& action);

}   // namespace veltrin::remind
