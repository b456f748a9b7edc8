// veltrin remind: the reminder times set, shown and cleared, and the checks the timer and the
// autostart entry run.
#include "cli/CliParts.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "remind/Remind.h"

#include <QCoreApplication>
#include <QTimer>

namespace veltrin::cli {

namespace {

const QStringList RemindModes{QStringLiteral("--at"), QStringLiteral("--off"), QStringLiteral("--status"), QStringLiteral("--check"),
                              QStringLiteral("--wait")};
// How long a reminder's actions are listened for after it was shown.
constexpr int ActionWaitMs = 4 * 60 * 60 * 1000;
// The waiting check looks at the clock at the start of every minute, so that a set time is met
// within a minute, whatever the zone or the summer time did meanwhile.
constexpr int MinuteMs = 60'000;

// Exactly one of the modes (none: --status), and no other option.
QString remindMode(const Arguments& arguments) {
    QStringList given;
    for (const QString& option : arguments.values.keys() + arguments.flags.values()) {
        if (!RemindModes.contains(option)) throw UsageError(QStringLiteral("remind does not take %1").arg(option));
        given << option;
    }
    if (arguments.words.size() > 1) throw UsageError(QStringLiteral("remind takes no word '%1'").arg(arguments.words.value(1)));
    if (given.size() > 1) throw UsageError(QStringLiteral("remind takes one of --at, --off, --status, --check and --wait"));
    return given.value(0, QStringLiteral("--status"));
}

QList<QTime> timesGiven(const Arguments& arguments) {
    QList<QTime> times;
    for (const QString& text : arguments.allValues.value(QStringLiteral("--at"))) {
        const std::optional<QTime> time = remind::parseTime(text);
        if (!time) throw UsageError(QStringLiteral("--at takes a time of day as HH:MM, such as 20:00, not '%1'").arg(text));
        if (!times.contains(*time)) times << *time;
    }
    std::sort(times.begin(), times.end());
    return times;
}

void say(Console& console, const QString& text) { base::writeAll(console.out, (text + QLatin1Char('\n')).toUtf8(), StandardOutput); }

remind::Places places(const Console& console) { return remind::userPlaces(console.settingsFolder, console.program); }

int checkOnce(Console& console) {
    remind::Notifier notifier;
    const remind::CheckOutcome outcome =
        remind::checkNow(places(console), QDateTime::currentDateTime(), QTimeZone::systemTimeZone(), notifier);
    if (outcome != remind::CheckOutcome::Notified) return 0;
    QEventLoop loop;
    QObject::connect(&notifier, &remind::Notifier::actionPicked, &loop, [&](const QString& action) {
        remind::startProgram(places(console), action);
        loop.quit();
    });
    QObject::connect(&notifier, &remind::Notifier::closed, &loop, &QEventLoop::quit);
    QTimer::singleShot(ActionWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return 0;
}

// One look at the clock; false once the reminders are off.
bool lookAtClock(Console& console, remind::Notifier& notifier) {
    try {
        if (remind::readTimes(console.settingsFolder).isEmpty()) return false;
        remind::checkNow(places(console), QDateTime::currentDateTime(), QTimeZone::systemTimeZone(), notifier);
    } catch (const base::FileError& error) { tell(console, QStringLiteral("veltrin: %1: %2").arg(error.path(), error.reason())); }
    return true;
}

int waitForTimes(Console& console) {
    remind::Notifier notifier;
    QObject::connect(&notifier, &remind::Notifier::actionPicked, &notifier,
                     [&](const QString& action) { remind::startProgram(places(console), action); });
    QEventLoop loop;
    QTimer minute;
    minute.setSingleShot(true);
    const auto look = [&] {
        if (!lookAtClock(console, notifier)) return loop.quit();
        minute.start(MinuteMs - QTime::currentTime().second() * 1000);
    };
    QObject::connect(&minute, &QTimer::timeout, &loop, look);
    look();
    if (minute.isActive()) loop.exec();
    return 0;
}

}   // namespace

int remindCommand(const Arguments& arguments, Console& console) {
    const QString mode = remindMode(arguments);
    if (mode == QLatin1String("--at")) {
        const QDateTime now = QDateTime::currentDateTime();
        remind::setTimes(places(console), timesGiven(arguments), {now.date(), now.time()});
    } else if (mode == QLatin1String("--off")) {
        remind::turnOff(places(console));
    } else if (mode == QLatin1String("--check")) {
        return checkOnce(console);
    } else if (mode == QLatin1String("--wait")) {
        return waitForTimes(console);
    }
    say(console, remind::statusText(places(console)));
    return 0;
}

}   // namespace veltrin::cli
