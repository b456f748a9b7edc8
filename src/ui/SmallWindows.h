#pragma once
// The two small windows beside the main window: the contact window with the mute check box, and
// the splash window shown while the program starts.
#include "ui/PictureBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace veltrin::ui {

// The address the course is distributed from, shown in both windows.
inline constexpr const char* DistributorAddress = "www.veltrin.example";

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QPlainTextEdit* Text1;
    QPushButton* Command1;   // OK
    QCheckBox* Check1;       // Mute Veltrin Sounds

    void loadBackgroundPicture(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
};

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* lblPlatform;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QLabel* Label2;
    QLabel* Label1;
    PictureBox* imgLogo;
    PictureBox* Image1;

signals:
    void keyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace veltrin::ui
