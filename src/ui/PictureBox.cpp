#include "ui/PictureBox.h"

#include <QAccessible>
#include <QFileInfo>
#include <QKeyEvent>
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
    QPainter painter(this);
    if (!picture().isNull()) painter.drawPixmap(0, 0, picture());
    if (hasFocus()) drawFocusFrame(painter, rect());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit mouseDown();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit mouseUp();
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void PictureBox::click() {
    emit mouseDown();
    emit mouseUp();
    emit clicked();
}

void PictureBox::makeKeyboardControl() {
    m_keyboardControl = true;
    setFocusPolicy(Qt::TabFocus);
    // A description made before this (naming the box makes one) is a picture's; the next is a button's.
    if (QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(this))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(picture));
}

void PictureBox::setPressed(bool pressed) {
    if (pressed == m_pressed) return;
    m_pressed = pressed;
    QAccessible::State changed;
    changed.pressed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    if (m_keyboardControl && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) click();
    else QWidget::keyPressEvent(event);
}

void drawFocusFrame(QPainter& painter, const QRect& area) {
    const QRect frame = area.adjusted(1, 1, -2, -2);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 12, 4), 3));
    painter.drawRect(frame);
    painter.setPen(QPen(QColor(255, 214, 92), 1, Qt::DashLine));
    painter.drawRect(frame);
    painter.restore();
}

}   // namespace veltrin::ui
