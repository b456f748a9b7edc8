#include "ui/MainWindow.h"

#include "ui/Accessibility.h"
#include "ui/Twips.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCloseEvent>
#include <QCompleter>
#include <QLineEdit>
#include <QPainter>

#include <vector>

namespace veltrin::ui {

namespace {

constexpr int ClientWidth = 11805;
constexpr int ClientHeight = 7800;

struct LevelButtonPlace {
    int left;
    const char* caption;
    const char* toolTip;
};

constexpr std::array<LevelButtonPlace, 8> LevelButtons{{
    {3165, "Key", "Veltrin Introduction"},
    {3915, "Level 1", "Veltrin Level 1"},
    {4680, "Level 2", "Veltrin Level 2"},
    {5445, "Level 3", "Veltrin Level 3"},
    {6210, "Level 4", "Veltrin Level 4"},
    {6975, "Level 5", "Veltrin Level 5"},
    {7760, "Level 6", "Veltrin Level 6"},
    {8525, "Level 7", "Veltrin Level 7"},
}};
constexpr int LevelButtonTop = 6525;
constexpr int LevelButtonSize = 715;

// Set when the frame is first shown: polishing its fifty controls under a style sheet would otherwise
// be part of every start, though the frame opens only with the journal.
constexpr const char* JournalFrameStyle =
    "QGroupBox#journalFrame { background: #f6ecd2; border: 3px solid #6b4226; border-radius: 4px; font-weight: bold; }"
    "QGroupBox#journalFrame::title { color: #6b2a10; padding: 2px 6px; }"
    "QGroupBox { font-size: 8pt; color: #3b2412; }"
    "QLabel { font-size: 9pt; color: #3b2412; }"
    "QPushButton { font-size: 8pt; }";

// Left edges of the five option buttons inside a category frame, in twips.
constexpr std::array<int, 5> OptionLefts{150, 500, 840, 1180, 1440};

// A control that marks the keyboard focus with the frame the picture controls wear; the style draws
// none around a scroll bar or an option button without a caption.
template <typename Control>
class FramedOnFocus : public Control {
public:
    using Control::Control;

protected:
    void paintEvent(QPaintEvent* event) override {
        Control::paintEvent(event);
        if (!this->hasFocus()) return;
        QPainter painter(this);
        drawFocusFrame(painter, this->rect());
    }
};

template <typename W>
W* place(W* widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

PictureButton* pictureButton(QWidget* parent, const QString& toolTip, const QString& caption = {}) {
    auto* button = new PictureButton(parent);
    button->setText(caption);
    button->setToolTipText(toolTip);
    return button;
}

PictureBox* pictureBox(QWidget* parent, const QString& role) {
    auto* box = new PictureBox(parent);
    box->setAccessibleName(role);
    return box;
}

QLabel* label(QWidget* parent, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    return label;
}

QComboBox* comboBox(QWidget* parent, const QString& role) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // When typing ends, the box looks the text up in its list with the completer's case rule; a
    // case-blind match would replace a typed "oneness" by the listed "Oneness".
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    combo->setAccessibleName(role);
    combo->lineEdit()->setAccessibleName(role);
    combo->view()->setAccessibleName(role);
    return combo;
}

// The subject box keeps what the user typed: no inline completion (a typed "FEEL" would become a
// listed "FEELING"), and typed text that equals an item is not taken for a pick of that item when
// typing ends (Return, or leaving the box). Only a choice from the list is a pick.
QComboBox* typedSubjectBox(QWidget* parent) {
    QComboBox* box = comboBox(parent, QStringLiteral("Subject box"));
    box->setCompleter(nullptr);
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    return box;
}

}   // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    installAccessibility();
    setWindowTitle(QStringLiteral("Veltrin"));
    setFixedSize(toPixels(ClientWidth), toPixels(ClientHeight));
    buildLevelButtons();
    buildReadingArea();
    buildJournalFrame();
    buildTorchPanel();
    buildSideButtons();
    documentViewer->raise();
    torchPanel->raise();
    newTopicMarker->raise();
    setKeyboardOrder();
}

void MainWindow::buildLevelButtons() {
    for (std::size_t level = 0; level < LevelButtons.size(); ++level) {
        const LevelButtonPlace& place = LevelButtons[level];
        m_levelButtons[level] = pictureButton(this, QString::fromLatin1(place.toolTip), QString::fromLatin1(place.caption));
        m_levelButtons[level]->setGeometry(twipsRect(place.left, LevelButtonTop, LevelButtonSize, LevelButtonSize));
    }
    introductionButton = m_levelButtons[0];
    level1Button = m_levelButtons[1];
    level2Button = m_levelButtons[2];
    level3Button = m_levelButtons[3];
    level4Button = m_levelButtons[4];
    level5Button = m_levelButtons[5];
    level6Button = m_levelButtons[6];
    level7Button = m_levelButtons[7];
}

void MainWindow::buildReadingArea() {
    viewport = place(pictureBox(this, QStringLiteral("Viewport")), 2340, 465, 7950, 5715);
    viewport->setAutoFillBackground(true);
    QPalette parchment = viewport->palette();
    parchment.setColor(QPalette::Window, QColor(250, 243, 224));
    viewport->setPalette(parchment);
    readingPane = place(new RichTextView(viewport), 150, 45, 7575, 5160);
    readingPane->setGeometry(10, readingPane->y(), 505, readingPane->height());
    readingPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    readingPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    readingPane->lockScrolling();
    readingPane->setAccessibleName(QStringLiteral("Reading pane"));

    upArrow = place(pictureBox(this, QStringLiteral("Up arrow")), 10725, 4515, 630, 630);
    downArrow = place(pictureBox(this, QStringLiteral("Down arrow")), 10725, 5250, 630, 630);
    awardCover = place(pictureBox(this, QStringLiteral("Award cover")), 10680, 4560, 735, 1365);
    awardCover->hide();

    speedBar = place(new FramedOnFocus<QScrollBar>(Qt::Vertical, this), 10440, 4560, 240, 1335);
    speedBar->setRange(0, 32000);
    speedBar->setSingleStep(500);
    speedBar->setPageStep(1000);
    speedBar->setAccessibleName(QStringLiteral("Speed bar"));
    speedBar->setToolTip(QStringLiteral("Scroll speed: higher is slower"));
    positionBar = place(new FramedOnFocus<QScrollBar>(Qt::Vertical, this), 11415, 4575, 255, 1335);
    positionBar->setRange(0, 0);
    positionBar->setSingleStep(1);
    positionBar->setPageStep(500);
    positionBar->setAccessibleName(QStringLiteral("Position bar"));
    positionBar->setToolTip(QStringLiteral("Reading position"));

    progressMarkLabel = place(label(this, QString()), 7860, 7365, 1275, 330);
    progressMarkLabel->hide();
    makeValueLabel(progressMarkLabel, QStringLiteral("Reading mark"), 1000);

    documentViewer = place(new RichTextView(this), 2350, 475, 7940, 5710);
    documentViewer->setAccessibleName(QStringLiteral("Document viewer"));
    documentViewer->hide();
}

void MainWindow::buildTorchPanel() {
    torchPanel = place(pictureBox(this, QStringLiteral("Torch panel")), 120, 495, 2100, 6210);
    torchPanel->hide();
    torchPicture = place(pictureBox(torchPanel, QStringLiteral("Torch picture")), 270, 45, 1485, 1860);
    topicList = place(comboBox(torchPanel, QStringLiteral("Topic list")), 0, 1920, 2100, 315);
    torchPane = place(new RichTextView(torchPanel), 0, 2280, 2175, 3495);
    torchPane->setAccessibleName(QStringLiteral("Torch pane"));
    torchPane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);   // read line by line
    // The designed pane reaches past the panel's right edge, where the panel clips it; ending it at
    // the edge keeps the wrapped text and the scroll bar whole.
    torchPane->resize(torchPanel->width(), torchPane->height());
    yesButton = place(new QPushButton(QStringLiteral("Yes"), torchPanel), 75, 5880, 480, 300);
    okButton = place(new QPushButton(QStringLiteral("OK"), torchPanel), 840, 5880, 540, 360);
    noButton = place(new QPushButton(QStringLiteral("No"), torchPanel), 1560, 5880, 480, 300);
    yesButton->hide();
    noButton->hide();

    // The torch frames are hidden holders whose pictures are copied into the torch picture.
    torchFrame5 = pictureBox(this, QStringLiteral("Torch frame 5"));
    torchFrame4 = pictureBox(this, QStringLiteral("Torch frame 4"));
    torchFrame3 = pictureBox(this, QStringLiteral("Torch frame 3"));
    torchFrame2 = pictureBox(this, QStringLiteral("Torch frame 2"));
    torchFrame1 = pictureBox(this, QStringLiteral("Torch frame 1"));
    for (PictureBox* frame : {torchFrame5, torchFrame4, torchFrame3, torchFrame2, torchFrame1}) frame->hide();

    newTopicMarker = place(pictureBox(this, QStringLiteral("New topic marker")), 1965, 345, 360, 555);
    newTopicMarker->setToolTip(QStringLiteral("A new topic has been added"));
    newTopicMarker->hide();
}

void MainWindow::buildJournalFrame() {
    journalFrame = place(new QGroupBox(QStringLiteral("Veltrin Journal"), this), 105, 30, 7785, 5640);
    journalFrame->setObjectName(QStringLiteral("journalFrame"));
    journalFrame->setAutoFillBackground(true);
    journalFrame->installEventFilter(this);
    chronologyLabel = place(label(journalFrame, QString()), 165, 375, 2565, 270);
    rankCaption = place(label(journalFrame, QStringLiteral("Rank:")), 390, 855, 1050, 315);
    rankLabel = place(label(journalFrame, QStringLiteral("Rank")), 480, 1200, 2955, 675);
    rankLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #7a1f10;"));
    subjectCaption = place(label(journalFrame, QStringLiteral("Subject:")), 375, 1935, 825, 285);
    subjectBox = place(typedSubjectBox(journalFrame), 465, 2280, 2190, 315);
    snapshotHeading = place(label(journalFrame, QStringLiteral("Inner Snapshot")), 3210, 510, 1920, 360);
    snapshotHeading->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 10pt;"));
    snapshotHint = place(label(journalFrame, QStringLiteral("Rank each category from lowest to highest")), 3585, 2730, 3705, 270);
    snapshotHint->setWordWrap(false);
    snapshotHint->setStyleSheet(QStringLiteral("font-size: 8pt; font-style: italic;"));
    // In the free place between the subject box and the entry box, left of the snapshot's hint.
    onThisDayLabel = place(label(journalFrame, QString()), 375, 2700, 3150, 270);
    onThisDayLabel->setWordWrap(false);
    onThisDayLabel->setStyleSheet(QStringLiteral("font-size: 8pt; font-style: italic; color: #1f4f7a;"));
    onThisDayLabel->setAccessibleName(QStringLiteral("On this day"));
    onThisDayLabel->hide();
    entryBox = place(new RichTextView(journalFrame), 375, 3090, 7170, 1965);
    entryBox->setReadOnly(false);
    entryBox->setFrameShape(QFrame::StyledPanel);
    entryBox->setAccessibleName(QStringLiteral("Entry box"));
    entryBox->setTabChangesFocus(true);   // Tab goes on to the buttons below, as in every form
    addEntryButton = place(new QPushButton(QStringLiteral("Add Journal Entry"), journalFrame), 2145, 5175, 1530, 330);
    viewJournalButton = place(new QPushButton(QStringLiteral("View Journal"), journalFrame), 4035, 5175, 1515, 330);
    doneButton = place(new QPushButton(QStringLiteral("Done"), journalFrame), 7020, 5220, 555, 300);
    // In the free places of the bottom row, left of Add Journal Entry and between View Journal and Done.
    journalChartButton = place(new QPushButton(QStringLiteral("Journal Chart"), journalFrame), 375, 5175, 1605, 330);
    exportJournalButton = place(new QPushButton(QStringLiteral("Export..."), journalFrame), 5700, 5175, 1170, 330);
    // On the subject caption's row, right of the caption, where the left column has room.
    protectJournalButton = place(new QPushButton(QStringLiteral("Protect Journal..."), journalFrame), 1260, 1905, 1935, 330);
    buildInnerSnapshot();
    journalFrame->hide();
}

void MainWindow::buildInnerSnapshot() {
    for (std::size_t index = 0; index < SnapshotLayout.size(); ++index) {
        const SnapshotFramePlace& category = SnapshotLayout[index];
        const QString name = QString::fromLatin1(core::SnapshotCategories[index]);
        categoryFrames[index] = place(new QGroupBox(name, journalFrame), category.left, category.top, 1815, 525);
        categoryFrames[index]->setAccessibleName(name);   // else a screen reader hears the journal frame's title
        for (std::size_t position = 0; position < OptionLefts.size(); ++position) {
            auto* option = place(new FramedOnFocus<QRadioButton>(categoryFrames[index]), OptionLefts[position], 240, 240, 240);
            option->setAccessibleName(QStringLiteral("Rank %1").arg(position + 1));
            rankOptions[index][position] = option;
        }
    }
}

void MainWindow::buildSideButtons() {
    exitButton = place(pictureButton(this, QStringLiteral("Exit Veltrin")), 10980, 6840, 600, 465);
    askTorchButton = place(pictureButton(this, QStringLiteral("Ask Torch")), 840, 6960, 795, 750);
    journalButton = place(pictureButton(this, QStringLiteral("Make A Journal Entry")), 10650, 810, 810, 810);
    manualButton = place(pictureButton(this, QStringLiteral("Open the Veltrin Manual")), 10635, 1815, 810, 810);
    eraseButton = place(pictureButton(this, QStringLiteral("Erase Your Veltrin Progress")), 5940, 7380, 1260, 330);
    contactButton = place(pictureButton(this, QStringLiteral("Contact Info and Sounds")), 10635, 2970, 900, 375);
}

void MainWindow::focusTorchDocument() {
    if (!QAccessible::isActive() || torchPane->hasFocus()) return;
    m_focusBeforeTorch = focusWidget();
    torchPane->setFocus(Qt::OtherFocusReason);
}

void MainWindow::returnFocusFromTorch() {
    QWidget* before = m_focusBeforeTorch;
    m_focusBeforeTorch = nullptr;
    if (before && before->isVisible() && before->isEnabled()) before->setFocus(Qt::OtherFocusReason);
}

void MainWindow::loadBackgroundPicture(const QString& path) {
    m_background.load(path, true);
    m_backgroundName = path.section(QLatin1Char('/'), -1);
    update();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == journalFrame && event->type() == QEvent::Show && journalFrame->styleSheet().isEmpty())
        journalFrame->setStyleSheet(QString::fromLatin1(JournalFrameStyle));
    return QWidget::eventFilter(watched, event);
}

// A control hidden with the focus (OK as the Torch panel closes, Done as the journal frame closes)
// gives it back to the reading controls, not to the next control in order, where Space would press
// a button the user never chose.
bool MainWindow::focusNextPrevChild(bool next) {
    const QWidget* focus = focusWidget();
    if (focus && !focus->isVisible() && upArrow->isVisible()) {
        upArrow->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& background = m_background.get();
    if (background.isNull()) painter.fillRect(rect(), QColor(92, 60, 34));
    else painter.drawPixmap(0, 0, background);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();   // the shell saves and ends the program itself
    emit unloading();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) emit lostFocus();
    QWidget::changeEvent(event);
}

// Tab starts at the reading controls, which also hold the first focus (so a first Space reads and
// types nothing): the arrows, then the speed and position bars, set by their arrow keys. It follows the window's reading order: the Torch panel on the left, the journal
// frame or the manual over the reading area, the right-hand column from the top, the row along the
// bottom. Hidden controls are passed over. The reading pane takes no focus: only the program moves it.
void MainWindow::setKeyboardOrder() {
    readingPane->setFocusPolicy(Qt::NoFocus);
    upArrow->makeKeyboardControl();
    downArrow->makeKeyboardControl();
    for (QPushButton* button : {okButton, yesButton, noButton, protectJournalButton, journalChartButton, addEntryButton, viewJournalButton,
                                exportJournalButton, doneButton})
        button->setAutoDefault(true);                                                    // Return presses the focused one
    for (QScrollBar* bar : {speedBar, positionBar}) bar->setFocusPolicy(Qt::TabFocus);   // a click leaves the focus where it is
    std::vector<QWidget*> order{upArrow,   downArrow, speedBar, positionBar, topicList,           torchPane,
                                yesButton, okButton,  noButton, subjectBox,  protectJournalButton};
    for (const auto& category : rankOptions) order.insert(order.end(), category.begin(), category.end());
    order.insert(order.end(), {entryBox, journalChartButton, addEntryButton, viewJournalButton, exportJournalButton, doneButton,
                               documentViewer, journalButton, manualButton, contactButton, askTorchButton});
    order.insert(order.end(), m_levelButtons.begin(), m_levelButtons.end());
    order.insert(order.end(), {eraseButton, exitButton});
    for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

}   // namespace veltrin::ui
