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
    double firstScreen = -1;   // seconds from the action to the end of the first paint of its result
    double idle = 0;           // seconds from the action to the end of the last work before idling
};

// Whether a widget that paints shows the action's result (not, say, a message shown before it).
using ShowsResult = std::function<bool(QWidget*)>;

class UserWait : public QObject {
public:
    explicit UserWait(ShowsResult showsResult, int quietMs = 300) : m_showsResult(std::move(showsResult)), m_quietMs(quietMs) {
        qApp->installEventFilter(this);
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &UserWait::workDone);
        m_tick.setInterval(10);
    }

    // Runs `action` (which returns when its handler does) and waits for the program to be idle.
    WaitTimes after(const std::function<void()>& action) {
        m_times = {};
        m_clock.start();
        action();
        m_lastWork = m_clock.nsecsElapsed();
        m_tick.start();
        while (m_clock.nsecsElapsed() - m_lastWork < qint64(m_quietMs) * 1'000'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        m_tick.stop();
        m_times.idle = double(m_lastWork) / 1e9;
        return m_times;
    }

protected:
    // The first paint of the result, which may happen inside the handler, is delivered here and
    // timed at its end.
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == &m_tick) return false;
        m_working = true;
        if (m_inPaint || event->type() != QEvent::Paint || m_times.firstScreen >= 0 || !m_clock.isValid()) return false;
        if (!object->isWidgetType() || !m_showsResult(static_cast<QWidget*>(object))) return false;
        m_inPaint = true;
        QCoreApplication::sendEvent(object, event);
        m_inPaint = false;
        m_times.firstScreen = double(m_clock.nsecsElapsed()) / 1e9;
        return true;
    }

private:
    void workDone() {
        if (!m_clock.isValid() || !m_working) return;
        m_working = false;
        m_lastWork = m_clock.nsecsElapsed();
    }

    ShowsResult m_showsResult;
    int m_quietMs;
    QTimer m_tick;   // wakes the loop so that the quiet spell is noticed
    QElapsedTimer m_clock;
    qint64 m_lastWork = 0;
    bool m_working = false;
    bool m_inPaint = false;
    WaitTimes m_times;
};

}   // namespace veltrin::bench
