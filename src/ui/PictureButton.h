#pragma once
// A command button that shows a picture, a pressed picture and a disabled-state picture, with an
// optional caption over them. Without pictures it draws itself as a plain button with its caption.
#include "ui/LazyPixmap.h"

#include <QAbstractButton>

namespace veltrin::ui {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    // Each loader takes a full path; a missing or unreadable file leaves that look empty. The pressed
    // look, and the others of a hidden button, are read when first painted or asked for.
    void loadPicture(const QString& path);
    void loadDownPicture(const QString& path);
    void loadDisabledPicture(const QString& path);
    void clearPicture() {
        m_picture.set({});
        m_pictureName.clear();
        update();
    }
    void clearDisabledPicture() {
        m_disabled.set({});
        m_disabledName.clear();
        update();
    }

    const QPixmap& picture() const { return m_picture.get(); }
    const QPixmap& downPicture() const { return m_down.get(); }
    const QPixmap& disabledPicture() const { return m_disabled.get(); }
    // The file names last loaded, so that a test can tell which picture is on show.
    QString pictureName() const { return m_pictureName; }
    QString disabledPictureName() const { return m_disabledName; }

    // The tooltip is also the accessible name, so a screen reader tells picture buttons apart.
    void setToolTipText(const QString& text);
    // The key that does what a click does, shown after the tooltip ("Exit Veltrin (Ctrl+Q)"); the
    // tooltip itself stays as set, since the program reads some of them back.
    void setShortcutHint(const QString& key) { m_shortcutHint = key; }
    QString toolTipShown() const;

    QSize sizeHint() const override { return {64, 32}; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QPixmap& pixmapForState() const;
    void paintPlain(QPainter& painter) const;
    void paintCaption(QPainter& painter, bool overPicture) const;

    LazyPixmap m_picture;
    LazyPixmap m_down;
    LazyPixmap m_disabled;
    QString m_pictureName;
    QString m_disabledName;
    QString m_shortcutHint;
};

}   // namespace veltrin::ui
