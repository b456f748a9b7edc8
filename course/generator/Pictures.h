// The course's pictures, drawn at the size of the control that shows each.
#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

namespace veltrin::course {

struct PictureSpec {
    QString name;
    QSize size;   // pixels: the control's twips / 15
    std::function<QImage(QSize)> draw;
};

// Every picture of the course, in one table.
QList<PictureSpec> pictureSpecs();

// The application icon (square), drawn like the course's torch.
QImage appIcon(int side);

}   // namespace veltrin::course
