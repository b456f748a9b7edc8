#pragma once
// Whether the user is still at the program: how long since the last key or mouse input, and the
// desktop's word that the screen has locked (its screensaver or its login manager, over D-Bus,
// where there is one).
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

namespace veltrin::ui {

class PresenceWatch : public QObject {
    Q_OBJECT

public:
    // Watches the application's input from now on; listens to the desktop once listen() is called.
    explicit PresenceWatch(QObject* parent = nullptr);
    qint64 idleMilliseconds() const { return m_sinceInput.elapsed(); }
    // Subscribes to the screensaver's signal on the session bus and to this session's lock on the
    // system bus (QDBusConnection::sessionBus() and systemBus() in the program); a desktop without
    // either is simply never heard.
    void listen(const QDBusConnection& session, const QDBusConnection& system);

signals:
    void screenLocked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onScreenSaverActive(bool active);
    void onSessionLocked();

private:
    QElapsedTimer m_sinceInput;
    QDBusConnection m_system{QString()};
};

}   // namespace veltrin::ui
