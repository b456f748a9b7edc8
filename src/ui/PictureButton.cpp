#include "ui/PictureButton.h"

#include "ui/PictureBox.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolTip>

namespace veltrin::ui {

namespace {

QString baseName(const QString& path) { return QFileInfo(path).fileName(); }

}   // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::loadPicture(const QString& path) {
    m_picture.load(path, shownInWindow(*this));
    m_pictureName = baseName(path);
    update();
}

void PictureButton::loadDownPicture(const QString& path) {
    m_down.load(path, false);
    update();
}

void PictureButton::loadDisabledPicture(const QString& path) {
    m_disabled.load(path, shownInWindow(*this) && !isEnabled());
    m_disabledName = baseName(path);
    update();
}

void PictureButton::setToolTipText(const QString& text) {
    setToolTip(text);
    setAccessibleName(text.isEmpty() ? this->text() : text);
}

QString PictureButton::toolTipShown() const {
    if (m_shortcutHint.isEmpty() || toolTip().isEmpty()) return toolTip();
    return QStringLiteral("%1 (%2)").arg(toolTip(), m_shortcutHint);
}

bool PictureButton::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractButton::event(event);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTipShown(), this);
    return true;
}

// Return and Enter press a focused button, as Space does.
void PictureButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) click();
    else QAbstractButton::keyPressEvent(event);
}

const QPixmap& PictureButton::pixmapForState() const {
    if (!isEnabled() && !disabledPicture().isNull()) return disabledPicture();
    if (isDown() && !downPicture().isNull()) return downPicture();
    return picture();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& pixmap = pixmapForState();
    if (pixmap.isNull()) {
        paintPlain(painter);
        paintCaption(painter, false);
        if (hasFocus()) drawFocusFrame(painter, rect());
        return;
    }
    painter.drawPixmap(rect(), pixmap);
    if (!isEnabled() && disabledPicture().isNull()) painter.fillRect(rect(), QColor(40, 30, 20, 120));
    paintCaption(painter, true);
    if (hasFocus()) drawFocusFrame(painter, rect());
}

void PictureButton::paintPlain(QPainter& painter) const {
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
}

// Without a picture, a button without a caption shows its tooltip, so it never stands blank.
void PictureButton::paintCaption(QPainter& painter, bool overPicture) const {
    const QString caption = text().isEmpty() && !overPicture ? toolTip() : text();
    if (caption.isEmpty()) return;
    QRect area = rect().adjusted(2, 2, -2, -2);
    if (isDown()) area.translate(1, 1);
    if (overPicture) {
        painter.setPen(QColor(0, 0, 0, 160));
        painter.drawText(area.translated(1, 1), Qt::AlignCenter | Qt::TextWordWrap, caption);
        painter.setPen(isEnabled() ? QColor(255, 244, 214) : QColor(190, 180, 160));
    } else {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    }
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

}   // namespace veltrin::ui
