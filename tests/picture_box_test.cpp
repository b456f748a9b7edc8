// Pictures of controls: read ahead at once for a control on show, when first needed for a hidden one,
// and a picture set by the program is never replaced by a file still waiting to be read.
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"

#include <QImage>
#include <QTemporaryDir>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace {

using veltrin::ui::PictureBox;
using veltrin::ui::PictureButton;

QColor colourOf(const QPixmap& pixmap) { return pixmap.isNull() ? QColor() : pixmap.toImage().pixelColor(0, 0); }

void savePicture(const QString& path, Qt::GlobalColor colour) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path));
}

TEST(Pictures, ShownControlsReadAheadHiddenOnesWhenFirstNeeded) {
    QTemporaryDir folder;
    const QString path = folder.filePath("look.png");
    savePicture(path, Qt::red);
    QWidget window;
    PictureBox shown(&window), hidden(&window);
    hidden.hide();
    PictureButton button(&window);
    shown.loadPicture(path);
    hidden.loadPicture(path);
    button.loadPicture(path);
    button.loadDownPicture(path);
    QThreadPool::globalInstance()->waitForDone();
    savePicture(path, Qt::blue);
    EXPECT_EQ(QList({colourOf(shown.picture()), colourOf(button.picture()), colourOf(hidden.picture()), colourOf(button.downPicture())}),
              QList<QColor>({Qt::red, Qt::red, Qt::blue, Qt::blue}));
    EXPECT_EQ(hidden.pictureName(), "look.png");

    // A picture set by the program wins over the file still waiting to be read, read ahead or not.
    QPixmap green(2, 2);
    green.fill(Qt::green);
    for (PictureBox* box : {&hidden, &shown}) {
        box->loadPicture(path);
        box->setPicture(green);
        QThreadPool::globalInstance()->waitForDone();
        EXPECT_EQ(colourOf(box->picture()), QColor(Qt::green));
        box->loadPicture(folder.filePath("missing.png"));
        EXPECT_TRUE(box->picture().isNull());
    }
}

}   // namespace
