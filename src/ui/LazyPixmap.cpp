#include "ui/LazyPixmap.h"

#include <QWidget>

#include <utility>

namespace veltrin::ui {

void LazyPixmap::load(const QString& path, bool now) {
    m_pixmap = QPixmap();
    m_pending = path;
    if (now) get();
}

void LazyPixmap::set(const QPixmap& pixmap) {
    m_pixmap = pixmap;
    m_pending.clear();
}

const QPixmap& LazyPixmap::get() const {
    if (!m_pending.isEmpty()) m_pixmap.load(std::exchange(m_pending, QString()));
    return m_pixmap;
}

bool shownInWindow(const QWidget& control) { return control.isVisibleTo(control.window()); }

}   // namespace veltrin::ui
