#pragma once
// The main window and every control of the course, under the names the course design gives them.
// Widgets and layout only: the shell wires the controls to the handlers.
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/RichTextView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include <array>

namespace veltrin::ui {

// The Inner Snapshot as laid out on the journal frame: a category frame per row, its five option
// buttons from left (rank 1) to right (rank 5). The control numbers do not run the same way in every frame.
struct SnapshotFrame {
    int frame;
    const char* category;
    int left;
    int top;
    std::array<int, 5> options;
};

inline constexpr std::array<SnapshotFrame, 7> SnapshotLayout{{
    {3, "Power", 5445, 450, {1, 2, 3, 4, 5}},
    {4, "Health", 3570, 1050, {10, 9, 8, 7, 6}},
    {5, "Awareness", 5445, 1050, {15, 14, 13, 12, 11}},
    {6, "Holy Connection", 3570, 1635, {20, 19, 18, 17, 16}},
    {7, "Inner Feeling", 5460, 1635, {25, 24, 23, 22, 21}},
    {8, "Pretending", 3570, 2205, {30, 29, 28, 27, 26}},
    {9, "Being Awake", 5460, 2220, {35, 34, 33, 32, 31}},
}};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Level buttons: Command1 (Introduction) .. Command8 (Level 7).
    PictureButton* Command1;
    PictureButton* Command2;
    PictureButton* Command3;
    PictureButton* Command4;
    PictureButton* Command5;
    PictureButton* Command6;
    PictureButton* Command7;
    PictureButton* Command8;
    PictureButton* Command9;    // exit
    PictureButton* Command10;   // Ask Torch
    QPushButton* Command11;     // OK in the Torch panel
    QPushButton* Command12;     // No
    PictureButton* Command13;   // journal
    PictureButton* Command14;   // manual
    QPushButton* Command15;     // View Journal / Close Journal
    QPushButton* Command16;     // Done
    QPushButton* Command17;     // Add Journal Entry
    QPushButton* Command18;     // Yes
    PictureButton* Command19;   // erase progress
    PictureButton* Command20;   // contact window

    PictureBox* Picture1;       // viewport of the reading pane
    PictureBox* Picture2;       // Torch panel
    PictureBox* Picture3;       // torch picture
    PictureBox* Picture4;       // up arrow
    PictureBox* Picture5;       // down arrow
    PictureBox* Picture6;       // torch frames 5 .. 1 (hidden holders)
    PictureBox* Picture7;
    PictureBox* Picture8;
    PictureBox* Picture9;
    PictureBox* Picture10;
    PictureBox* Picture11;      // new-topic marker
    PictureBox* Picture12;      // covers the arrows during an award

    RichTextView* RichTextBox1; // reading pane
    RichTextView* RichTextBox2; // torch pane
    RichTextView* RichTextBox3; // journal entry box
    RichTextView* RichTextBox4; // report and manual viewer

    QComboBox* Combo1;          // topic list
    QComboBox* Combo2;          // journal subject box
    QScrollBar* VScroll1;       // speed bar
    QScrollBar* VScroll2;       // position bar

    QGroupBox* Frame1;          // journal frame
    std::array<QGroupBox*, 10> Frame{};        // Frame[3] .. Frame[9]: the Inner Snapshot categories
    std::array<QRadioButton*, 36> Option{};    // Option[1] .. Option[35]

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label9;
    QLabel* Label11;

    // The level button of level 0 .. 7.
    PictureButton* levelButton(int level) const { return m_levelButtons.at(static_cast<std::size_t>(level)); }

    void loadBackgroundPicture(const QString& path);
    QString backgroundPictureName() const { return m_backgroundName; }

signals:
    // The window is being closed by the system (its close box).
    void unloading();
    // The window lost the keyboard focus to another program.
    void lostFocus();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildLevelButtons();
    void buildReadingArea();
    void buildTorchPanel();
    void buildJournalFrame();
    void buildInnerSnapshot();
    void buildSideButtons();

    std::array<PictureButton*, 8> m_levelButtons{};
    QPixmap m_background;
    QString m_backgroundName;
};

} // namespace veltrin::ui
