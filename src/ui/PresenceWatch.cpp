#include "ui/PresenceWatch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEvent>

#include <unistd.h>

namespace veltrin::ui {

namespace {

// The screensavers that say when they start: the freedesktop one (KDE, Xfce, ...) and GNOME's.
struct ScreenSaver {
    const char* path;
    const char* interface;
};
constexpr ScreenSaver ScreenSavers[]{
    {"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
};

const QString Login1 = QStringLiteral("org.freedesktop.login1");

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin: return true;
    default: return false;
    }
}

}   // namespace

PresenceWatch::PresenceWatch(QObject* parent) : QObject(parent) {
    m_sinceInput.start();
    QCoreApplication::instance()->installEventFilter(this);
}

bool PresenceWatch::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event->type())) m_sinceInput.restart();
    return QObject::eventFilter(watched, event);
}

void PresenceWatch::listen(const QDBusConnection& session, const QDBusConnection& system) {
    for (const ScreenSaver& saver : ScreenSavers)
        QDBusConnection(session).connect(QString(), QLatin1String(saver.path), QLatin1String(saver.interface),
                                         QStringLiteral("ActiveChanged"), this, SLOT(onScreenSaverActive(bool)));
    m_system = system;
    if (!system.isConnected()) return;
    // The login manager signals a lock on the session's own object, which it names on request.
    auto* watcher =
        new QDBusPendingCallWatcher(m_system.asyncCall(QDBusMessage::createMethodCall(Login1, QStringLiteral("/org/freedesktop/login1"),
                                                                                      QStringLiteral("org.freedesktop.login1.Manager"),
                                                                                      QStringLiteral("GetSessionByPID"))
                                                       << quint32(::getpid())),
                                    this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (reply.isValid())
            m_system.connect(Login1, reply.value().path(), QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Lock"), this,
                             SLOT(onSessionLocked()));
        call->deleteLater();
    });
}

void PresenceWatch::onScreenSaverActive(bool active) {
    if (active) emit screenLocked();
}

void PresenceWatch::onSessionLocked() { emit screenLocked(); }

}   // namespace veltrin::ui
