#pragma once
// What a user waits for after an action: until the first screen of its result is painted, and until
// the program is idle again (no event delivered for a quiet spell, background layout included).
// Meaningful with a visible window: run the benchmarks on a display (bench/on_display.sh).
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace veltrin::bench {

struct WaitTimes {
    double firstScreen = -1;   // seconds from the action to the end of the first paint of the screen
    double idle = 0;           // seconds from the action to the end of the last work before idling
};

class UserWait : public QObject {
public:
    // `screen`: the widget whose painting, or that of a widget inside it, shows the result.
    explicit UserWait(QWidget* screen, int quietMs = 300) : m_screen(screen), m_quietMs(quietMs) {
        qApp->installEventFilter(this);
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &UserWait::workDone);
        m_tick.setInterval(10);
    }

    // Runs `action` (which returns when its handler does) and waits for the program to be idle.
    WaitTimes after(const std::function<void()>& action) {
        m_clock.start();
        action();
        m_painted = false;   // what the handler painted itself (a message) is not the result
        m_times = {};
        m_lastWork = m_clock.nsecsElapsed();
        m_tick.start();
        while (m_clock.nsecsElapsed() - m_lastWork < qint64(m_quietMs) * 1'000'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        m_tick.stop();
        m_times.idle = double(m_lastWork) / 1e9;
        return m_times;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == &m_tick) return false;
        m_working = true;
        if (event->type() == QEvent::Paint && object->isWidgetType())
            m_painted = m_painted || static_cast<QWidget*>(object) == m_screen || m_screen->isAncestorOf(static_cast<QWidget*>(object));
        return false;
    }

private:
    void workDone() {
        if (!m_clock.isValid() || !m_working) return;
        m_working = false;
        m_lastWork = m_clock.nsecsElapsed();
        if (m_painted && m_times.firstScreen < 0) m_times.firstScreen = double(m_lastWork) / 1e9;
    }

    QWidget* m_screen;
    int m_quietMs;
    QTimer m_tick;   // wakes the loop so that the quiet spell is noticed
    QElapsedTimer m_clock;
    qint64 m_lastWork = 0;
    bool m_working = false;
    bool m_painted = false;
    WaitTimes m_times;
};

} // namespace veltrin::bench
