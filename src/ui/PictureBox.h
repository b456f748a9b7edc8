#pragma once
// A picture box: shows one picture at its top-left corner, may hold other controls, and reports
// presses, releases and clicks of the left mouse button.
#include "ui/LazyPixmap.h"

#include <QWidget>

namespace veltrin::ui {

// A frame that marks the control holding the keyboard focus, seen over dark pictures and light ones.
void drawFocusFrame(QPainter& painter, const QRect& area);

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // A missing or unreadable file leaves the box without a picture. A hidden box reads the file
    // when the picture is first painted or asked for.
    void loadPicture(const QString& path);
    void setPicture(const QPixmap& pixmap);
    const QPixmap& picture() const { return m_picture.get(); }
    QString pictureName() const { return m_pictureName; }
    // Reports a whole click, press and release included, as the mouse would: the arrows' keys use it.
    void click();
    // Lets the box take the focus by Tab, with a focus frame, and Return or Enter click it; a screen
    // reader then finds a button that it can press.
    void makeKeyboardControl();
    // Whether the box stands pressed (an arrow while its text moves), as a screen reader is told.
    void setPressed(bool pressed);
    bool isPressed() const { return m_pressed; }

signals:
    void mouseDown();
    void mouseUp();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    LazyPixmap m_picture;
    QString m_pictureName;
    bool m_keyboardControl = false;
    bool m_pressed = false;
};

}   // namespace veltrin::ui
