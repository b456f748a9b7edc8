#include "ui/LazyPixmap.h"

#include <QThreadPool>
#include <QWidget>

#include <memory>
#include <utility>

namespace veltrin::ui {

namespace {

// Pixmaps belong to the window thread; a worker only decodes the file into an image.
std::future<QImage> readAhead(const QString& path) {
    auto reading = std::make_shared<std::packaged_task<QImage()>>([path] { return QImage(path); });
    std::future<QImage> image = reading->get_future();
    QThreadPool::globalInstance()->start([reading] { (*reading)(); });
    return image;
}

}   // namespace

void LazyPixmap::load(const QString& path, bool now) {
    m_pixmap = QPixmap();
    m_reading = {};
    m_pending.clear();
    if (path.isEmpty()) return;
    if (now) m_reading = readAhead(path);
    else m_pending = path;
}

void LazyPixmap::set(const QPixmap& pixmap) {
    m_pixmap = pixmap;
    m_reading = {};
    m_pending.clear();
}

const QPixmap& LazyPixmap::get() const {
    if (m_reading.valid()) m_pixmap = QPixmap::fromImage(m_reading.get());
    else if (!m_pending.isEmpty()) m_pixmap.load(std::exchange(m_pending, QString()));
    return m_pixmap;
}

bool shownInWindow(const QWidget& control) { return control.isVisibleTo(control.window()); }

}   // namespace veltrin::ui
