#include "ui/Form1.h"

#include "ui/Twips.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QLineEdit>
#include <QPainter>

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

// Left edges of the five option buttons inside a category frame, in twips.
constexpr std::array<int, 5> OptionLefts{150, 500, 840, 1180, 1440};

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
    return combo;
}

// The subject box keeps what the user typed: no inline completion (a typed "FEEL" would become a
// listed "FEELING"), and typed text that equals an item is not taken for a pick of that item when
// typing ends (Return, or leaving the box). Only a choice from the list is a pick.
QComboBox* subjectBox(QWidget* parent) {
    QComboBox* box = comboBox(parent, QStringLiteral("Subject"));
    box->setCompleter(nullptr);
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    return box;
}

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Veltrin"));
    setFixedSize(toPixels(ClientWidth), toPixels(ClientHeight));
    buildLevelButtons();
    buildReadingArea();
    buildJournalFrame();
    buildTorchPanel();
    buildSideButtons();
    RichTextBox4->raise();
    Picture2->raise();
    Picture11->raise();
}

void Form1::buildLevelButtons() {
    for (std::size_t level = 0; level < LevelButtons.size(); ++level) {
        const LevelButtonPlace& place = LevelButtons[level];
        m_levelButtons[level] = pictureButton(this, QString::fromLatin1(place.toolTip), QString::fromLatin1(place.caption));
        m_levelButtons[level]->setGeometry(twipsRect(place.left, LevelButtonTop, LevelButtonSize, LevelButtonSize));
    }
    Command1 = m_levelButtons[0];
    Command2 = m_levelButtons[1];
    Command3 = m_levelButtons[2];
    Command4 = m_levelButtons[3];
    Command5 = m_levelButtons[4];
    Command6 = m_levelButtons[5];
    Command7 = m_levelButtons[6];
    Command8 = m_levelButtons[7];
}

void Form1::buildReadingArea() {
    Picture1 = place(pictureBox(this, QStringLiteral("Reading pane")), 2340, 465, 7950, 5715);
    Picture1->setAutoFillBackground(true);
    QPalette parchment = Picture1->palette();
    parchment.setColor(QPalette::Window, QColor(250, 243, 224));
    Picture1->setPalette(parchment);
    RichTextBox1 = place(new RichTextView(Picture1), 150, 45, 7575, 5160);
    RichTextBox1->setGeometry(10, RichTextBox1->y(), 505, RichTextBox1->height());
    RichTextBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichTextBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichTextBox1->setAccessibleName(QStringLiteral("Level text"));

    Picture4 = place(pictureBox(this, QStringLiteral("Scroll forward")), 10725, 4515, 630, 630);
    Picture5 = place(pictureBox(this, QStringLiteral("Scroll back")), 10725, 5250, 630, 630);
    Picture12 = place(pictureBox(this, QStringLiteral("Award")), 10680, 4560, 735, 1365);
    Picture12->hide();

    VScroll1 = place(new QScrollBar(Qt::Vertical, this), 10440, 4560, 240, 1335);
    VScroll1->setRange(0, 32000);
    VScroll1->setSingleStep(500);
    VScroll1->setPageStep(1000);
    VScroll1->setAccessibleName(QStringLiteral("Scroll speed"));
    VScroll1->setToolTip(QStringLiteral("Scroll speed: higher is slower"));
    VScroll2 = place(new QScrollBar(Qt::Vertical, this), 11415, 4575, 255, 1335);
    VScroll2->setRange(0, 0);
    VScroll2->setSingleStep(1);
    VScroll2->setPageStep(500);
    VScroll2->setAccessibleName(QStringLiteral("Reading position"));
    VScroll2->setToolTip(QStringLiteral("Reading position"));

    Label5 = place(label(this, QString()), 7860, 7365, 1275, 330);
    Label5->hide();

    RichTextBox4 = place(new RichTextView(this), 2350, 475, 7940, 5710);
    RichTextBox4->setAccessibleName(QStringLiteral("Viewer"));
    RichTextBox4->hide();
}

void Form1::buildTorchPanel() {
    Picture2 = place(pictureBox(this, QStringLiteral("Torch")), 120, 495, 2100, 6210);
    Picture2->hide();
    Picture3 = place(pictureBox(Picture2, QStringLiteral("Torch")), 270, 45, 1485, 1860);
    Combo1 = place(comboBox(Picture2, QStringLiteral("Topics")), 0, 1920, 2100, 315);
    RichTextBox2 = place(new RichTextView(Picture2), 0, 2280, 2175, 3495);
    RichTextBox2->setAccessibleName(QStringLiteral("Torch says"));
    // The designed pane reaches past the panel's right edge, where the panel clips it; ending it at
    // the edge keeps the wrapped text and the scroll bar whole.
    RichTextBox2->resize(Picture2->width(), RichTextBox2->height());
    Command18 = place(new QPushButton(QStringLiteral("Yes"), Picture2), 75, 5880, 480, 300);
    Command11 = place(new QPushButton(QStringLiteral("OK"), Picture2), 840, 5880, 540, 360);
    Command12 = place(new QPushButton(QStringLiteral("No"), Picture2), 1560, 5880, 480, 300);
    Command18->hide();
    Command12->hide();

    // The torch frames are hidden holders whose pictures are copied into the torch picture.
    Picture6 = pictureBox(this, QStringLiteral("Torch frame 5"));
    Picture7 = pictureBox(this, QStringLiteral("Torch frame 4"));
    Picture8 = pictureBox(this, QStringLiteral("Torch frame 3"));
    Picture9 = pictureBox(this, QStringLiteral("Torch frame 2"));
    Picture10 = pictureBox(this, QStringLiteral("Torch frame 1"));
    for (PictureBox* frame : {Picture6, Picture7, Picture8, Picture9, Picture10}) frame->hide();

    Picture11 = place(pictureBox(this, QStringLiteral("New topic")), 1965, 345, 360, 555);
    Picture11->setToolTip(QStringLiteral("A new topic has been added"));
    Picture11->hide();
}

void Form1::buildJournalFrame() {
    Frame1 = place(new QGroupBox(QStringLiteral("Veltrin Journal"), this), 105, 30, 7785, 5640);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAutoFillBackground(true);
    Frame1->setStyleSheet(QStringLiteral(
        "QGroupBox#Frame1 { background: #f6ecd2; border: 3px solid #6b4226; border-radius: 4px; font-weight: bold; }"
        "QGroupBox#Frame1::title { color: #6b2a10; padding: 2px 6px; }"
        "QGroupBox { font-size: 8pt; color: #3b2412; }"
        "QLabel { font-size: 9pt; color: #3b2412; }"
        "QPushButton { font-size: 8pt; }"));
    Label11 = place(label(Frame1, QString()), 165, 375, 2565, 270);
    Label3 = place(label(Frame1, QStringLiteral("Rank:")), 390, 855, 1050, 315);
    Label9 = place(label(Frame1, QStringLiteral("Rank")), 480, 1200, 2955, 675);
    Label9->setStyleSheet(QStringLiteral("font-weight: bold; color: #7a1f10;"));
    Label4 = place(label(Frame1, QStringLiteral("Subject:")), 375, 1935, 1410, 285);
    Combo2 = place(subjectBox(Frame1), 465, 2280, 2190, 315);
    Label2 = place(label(Frame1, QStringLiteral("Inner Snapshot")), 3210, 510, 1920, 360);
    Label2->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 10pt;"));
    Label1 = place(label(Frame1, QStringLiteral("Rank each category from lowest to highest")), 3585, 2730, 3705, 270);
    Label1->setWordWrap(false);
    Label1->setStyleSheet(QStringLiteral("font-size: 8pt; font-style: italic;"));
    RichTextBox3 = place(new RichTextView(Frame1), 375, 3090, 7170, 1965);
    RichTextBox3->setReadOnly(false);
    RichTextBox3->setFrameShape(QFrame::StyledPanel);
    RichTextBox3->setAccessibleName(QStringLiteral("Journal entry"));
    Command17 = place(new QPushButton(QStringLiteral("Add Journal Entry"), Frame1), 2145, 5175, 1530, 330);
    Command15 = place(new QPushButton(QStringLiteral("View Journal"), Frame1), 4035, 5175, 1515, 330);
    Command16 = place(new QPushButton(QStringLiteral("Done"), Frame1), 7020, 5220, 555, 300);
    buildInnerSnapshot();
    Frame1->hide();
}

void Form1::buildInnerSnapshot() {
    for (const SnapshotFrame& category : SnapshotLayout) {
        auto* frame = place(new QGroupBox(QString::fromLatin1(category.category), Frame1), category.left, category.top, 1815, 525);
        Frame[static_cast<std::size_t>(category.frame)] = frame;
        for (std::size_t position = 0; position < OptionLefts.size(); ++position) {
            auto* option = place(new QRadioButton(frame), OptionLefts[position], 240, 240, 240);
            option->setAccessibleName(QStringLiteral("%1 rank %2").arg(QString::fromLatin1(category.category)).arg(position + 1));
            Option[static_cast<std::size_t>(category.options[position])] = option;
        }
    }
}

void Form1::buildSideButtons() {
    Command9 = place(pictureButton(this, QStringLiteral("Exit Veltrin")), 10980, 6840, 600, 465);
    Command10 = place(pictureButton(this, QStringLiteral("Ask Torch")), 840, 6960, 795, 750);
    Command13 = place(pictureButton(this, QStringLiteral("Make A Journal Entry")), 10650, 810, 810, 810);
    Command14 = place(pictureButton(this, QStringLiteral("Open the Veltrin Manual")), 10635, 1815, 810, 810);
    Command19 = place(pictureButton(this, QStringLiteral("Erase Your Veltrin Progress")), 5940, 7380, 1260, 330);
    Command20 = place(pictureButton(this, QStringLiteral("Contact Info and Sounds")), 10635, 2970, 900, 375);
}

void Form1::loadBackgroundPicture(const QString& path) {
    m_background = QPixmap(path);
    m_backgroundName = path.section(QLatin1Char('/'), -1);
    update();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull()) painter.fillRect(rect(), QColor(92, 60, 34));
    else painter.drawPixmap(0, 0, m_background);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->ignore();   // the shell saves and ends the program itself
    emit unloading();
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) emit lostFocus();
    QWidget::changeEvent(event);
}

} // namespace veltrin::ui
