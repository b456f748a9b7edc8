#pragma once
// A picture read from its file when it is first needed. A control on show has its picture read at
// once, on a worker thread, while the window is still being built, and waits for it only when it is
// first painted or asked for; a hidden one (a frame of the torch animation, the panel of a closed
// Torch panel, a pressed look) reads it when it is first painted or asked for, so that start-up does
// not wait for it.
#include <QImage>
#include <QPixmap>
#include <QString>

#include <future>

namespace veltrin::ui {

class LazyPixmap {
public:
    // A missing or unreadable file, like an empty path, gives no picture.
    void load(const QString& path, bool now);
    void set(const QPixmap& pixmap);
    const QPixmap& get() const;

private:
    mutable QPixmap m_pixmap;
    mutable QString m_pending;               // the file still to be read
    mutable std::future<QImage> m_reading;   // the file being read ahead
};

// Whether a control is on show within its window (the window itself may not be shown yet).
bool shownInWindow(const QWidget& control);

}   // namespace veltrin::ui
