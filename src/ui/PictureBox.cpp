#include "ui/PictureBox.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

namespace veltrin::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::loadPicture(const QString& path) {
    m_picture.load(path, shownInWindow(*this));
    m_pictureName = QFileInfo(path).fileName();
    update();
}

void PictureBox::setPicture(const QPixmap& pixmap) {
    m_picture.set(pixmap);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture().isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit mouseDown();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit mouseUp();
    if (rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace veltrin::ui
