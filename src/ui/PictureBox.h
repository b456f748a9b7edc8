#pragma once
// A picture box: shows one picture at its top-left corner, may hold other controls, and reports
// presses, releases and clicks of the left mouse button.
#include "ui/LazyPixmap.h"

#include <QWidget>

namespace veltrin::ui {

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

signals:
    void mouseDown();
    void mouseUp();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    LazyPixmap m_picture;
    QString m_pictureName;
};

} // namespace veltrin::ui
