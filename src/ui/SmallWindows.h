#pragma once
// The two small windows beside the main window: the contact window with the mute check box, and
// the splash window shown while the program starts.
#include "ui/LazyPixmap.h"
#include "ui/PictureBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace veltrin::ui {

// The address the course is distributed from, shown in both windows.
inline constexpr const char* DistributorAddress = "www.veltrin.example";

class ContactWindow : public QWidget {
    Q_OBJECT
public:
    explicit ContactWindow(QWidget* parent = nullptr);

    QPlainTextEdit* contactText;
    QPushButton* okButton;   // OK
    QCheckBox* muteBox;      // Mute Veltrin Sounds
    QLabel* reminderLabel;
    QLineEdit* reminderTimes;      // the daily reminder times, "20:00, 08:30"
    QPushButton* reminderButton;   // Set

    void loadBackgroundPicture(const QString& path);

signals:
    // The user closed the window from its title bar; the program's own hiding does not close it.
    void closedByUser();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    LazyPixmap m_background;
};

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* productLabel;
    QLabel* versionLabel;
    QLabel* rightsLabel;
    QLabel* invitationLabel;
    QLabel* addressLabel;
    PictureBox* logo;
    PictureBox* emblem;

signals:
    void keyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}   // namespace veltrin::ui
