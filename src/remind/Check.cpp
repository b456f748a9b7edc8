#include "remind/Remind.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

namespace veltrin::remind {

namespace {

const QString NotificationService = QStringLiteral("org.freedesktop.Notifications");
const QString NotificationPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int NotifyWaitMs = 5'000;

}   // namespace

Notifier::Notifier() = default;

bool Notifier::show(const QStringList& lines) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    // Listening first, so that an action picked at once is not missed.
    bus.connect(NotificationService, NotificationPath, NotificationService, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(NotificationService, NotificationPath, NotificationService, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint, uint)));
    QDBusMessage notify =
        QDBusMessage::createMethodCall(NotificationService, NotificationPath, NotificationService, QStringLiteral("Notify"));
    notify << QStringLiteral("Veltrin") << uint(0) << DesktopEntry << QStringLiteral("Veltrin") << lines.join(QLatin1Char('\n'))
           << QStringList{QStringLiteral("read"), QStringLiteral("Read now"), QStringLiteral("write"), QStringLiteral("Write now")}
           << QVariantMap{{QStringLiteral("desktop-entry"), DesktopEntry}} << int(-1);
    const QDBusMessage reply = bus.call(notify, QDBus::Block, NotifyWaitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    m_shown = reply.arguments().constFirst().toUInt();
    return true;
}

void Notifier::onActionInvoked(uint id, const QString& action) {
    if (m_shown == id) emit actionPicked(action);
}

void Notifier::onNotificationClosed(uint id, uint) {
    if (m_shown == id) emit closed();
}

// The day's work is read only when a set time is due; the time is noted handled before the
// notification goes out, so that a state that cannot be written never lets it fire twice.
CheckOutcome checkNow(const Places& places, const QDateTime& now, const QTimeZone& zone, Notifier& notifier) {
    const QString& folder = places.settingsFolder;
    ReminderState state = readState(folder);
    const WallClock clock = wallClock(now, zone);
    const std::optional<WallClock> due = dueOccurrence(readTimes(folder), state.handled, clock);
    if (!due) return CheckOutcome::NothingDue;
    const std::optional<DayWork> work = readDayWork(folder, clock.date);
    const QStringList lines = work ? reminderLines(*work) : QStringList();
    state.handled = due;
    writeState(folder, state);
    if (lines.isEmpty()) return CheckOutcome::DayDone;
    if (notifier.show(lines)) return CheckOutcome::Notified;
    state.pending = lines;
    writeState(folder, state);
    return CheckOutcome::Kept;
}

bool startProgram(const Places& places, const QString& action) {
    return QProcess::startDetached(places.program, action == QLatin1String("write") ? QStringList{JournalOption} : QStringList());
}

}   // namespace veltrin::remind
