#pragma once
// The main window and every control of the course, under the names the course design gives them.
// Widgets and layout only: the shell wires the controls to the handlers.
#include "core/JournalStore.h"
#include "ui/LazyPixmap.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/RichTextView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include <array>

namespace veltrin::ui {

// The Inner Snapshot as laid out on the journal frame: a frame per category, in the order of
// core::SnapshotCategories, placed in twips inside the journal frame.
struct SnapshotFramePlace {
    int left;
    int top;
};

inline constexpr std::array<SnapshotFramePlace, core::SnapshotCategories.size()> SnapshotLayout{{
    {5445, 450},
    {3570, 1050},
    {5445, 1050},
    {3570, 1635},
    {5460, 1635},
    {3570, 2205},
    {5460, 2220},
}};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Level buttons: introductionButton (Introduction) .. level7Button (Level 7).
    PictureButton* introductionButton;
    PictureButton* level1Button;
    PictureButton* level2Button;
    PictureButton* level3Button;
    PictureButton* level4Button;
    PictureButton* level5Button;
    PictureButton* level6Button;
    PictureButton* level7Button;
    PictureButton* exitButton;           // exit
    PictureButton* askTorchButton;       // Ask Torch
    QPushButton* okButton;               // OK in the Torch panel
    QPushButton* noButton;               // No
    PictureButton* journalButton;        // journal
    PictureButton* manualButton;         // manual
    QPushButton* viewJournalButton;      // View Journal / Close Journal
    QPushButton* doneButton;             // Done
    QPushButton* addEntryButton;         // Add Journal Entry
    QPushButton* journalChartButton;     // Journal Chart: the Inner Snapshot over time
    QPushButton* exportJournalButton;    // Export...: the journal as CSV, JSON, Markdown or PDF
    QPushButton* protectJournalButton;   // Protect Journal... / Lock Journal
    QPushButton* yesButton;              // Yes
    PictureButton* eraseButton;          // erase progress
    PictureButton* contactButton;        // contact window

    PictureBox* viewport;       // viewport of the reading pane
    PictureBox* torchPanel;     // Torch panel
    PictureBox* torchPicture;   // torch picture
    PictureBox* upArrow;        // up arrow
    PictureBox* downArrow;      // down arrow
    PictureBox* torchFrame5;    // torch frames 5 .. 1 (hidden holders)
    PictureBox* torchFrame4;
    PictureBox* torchFrame3;
    PictureBox* torchFrame2;
    PictureBox* torchFrame1;
    PictureBox* newTopicMarker;   // new-topic marker
    PictureBox* awardCover;       // covers the arrows during an award

    RichTextView* readingPane;      // reading pane
    RichTextView* torchPane;        // torch pane
    RichTextView* entryBox;         // journal entry box
    RichTextView* documentViewer;   // report and manual viewer

    QComboBox* topicList;      // topic list
    QComboBox* subjectBox;     // journal subject box
    QScrollBar* speedBar;      // speed bar
    QScrollBar* positionBar;   // position bar

    QGroupBox* journalFrame;                                     // journal frame
    std::array<QGroupBox*, 7> categoryFrames{};                  // in the order of SnapshotLayout
    std::array<std::array<QRadioButton*, 5>, 7> rankOptions{};   // [category][rank - 1], left to right

    QLabel* snapshotHint;
    QLabel* snapshotHeading;
    QLabel* rankCaption;
    QLabel* subjectCaption;
    QLabel* progressMarkLabel;
    QLabel* rankLabel;
    QLabel* chronologyLabel;
    QLabel* onThisDayLabel;   // the entries of this day in earlier years; hidden when there are none

    // The level button of level 0 .. 7.
    PictureButton* levelButton(int level) const { return m_levelButtons.at(static_cast<std::size_t>(level)); }

    // While a screen reader listens, the document Torch shows takes the focus, so that it is read
    // out as it appears; the focus goes back where it was when the panel closes.
    void focusTorchDocument();
    void returnFocusFromTorch();

    void loadBackgroundPicture(const QString& path);
    QString backgroundPictureName() const { return m_backgroundName; }

signals:
    // The window is being closed by the system (its close box).
    void unloading();
    // The window lost the keyboard focus to another program.
    void lostFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
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
    void setKeyboardOrder();

    std::array<PictureButton*, 8> m_levelButtons{};
    LazyPixmap m_background;
    QString m_backgroundName;
    QPointer<QWidget> m_focusBeforeTorch;
};

}   // namespace veltrin::ui
