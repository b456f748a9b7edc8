// The fair yardstick of the start-up benchmark: what any Qt program pays to show Veltrin's first
// screen at Level 2 without its controls. A window of the main window's size and title, its
// background picture, the parchment of the reading area and the first screen of the level's text
// in the reading pane's place and face:
//   first_screen BACKGROUND_PICTURE TEXT_FILE
// The text file is plain UTF-8 text, one paragraph a line; only the lines that can show in the
// pane are read. It links nothing of Veltrin, so that it stands for a program written without it.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTextEdit>
#include <QWidget>

#include <cstdio>

namespace {

// The main window's layout in pixels (its twips divided by 15).
constexpr QRect ReadingArea{156, 31, 530, 381};
constexpr QRect ReadingPane{10, 0, 505, 381};
// More lines than the pane can show at its face and width, so that the screen is full.
constexpr int FirstScreenLines = 4;

class Background : public QWidget {
public:
    explicit Background(const QPixmap& picture) : m_picture(picture) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

// The first lines of a text file, or an empty string (with a message naming the file) when it
// cannot be read.
QString firstLines(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "first_screen: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    QString text;
    for (int line = 0; line < lines && !file.atEnd(); ++line) text += QString::fromUtf8(file.readLine());
    return text;
}

QWidget* parchment(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setGeometry(ReadingArea);
    area->setAutoFillBackground(true);
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, QColor(250, 243, 224));
    area->setPalette(palette);
    return area;
}

QTextEdit* readingPane(QWidget* parent, const QString& text) {
    auto* pane = new QTextEdit(parent);
    pane->setGeometry(ReadingPane);
    pane->setReadOnly(true);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setFocusPolicy(Qt::NoFocus);
    pane->setFont(QFont(QStringLiteral("DejaVu Serif"), 14));
    pane->setPlainText(text);
    return pane;
}

}   // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: first_screen BACKGROUND_PICTURE TEXT_FILE\n");
        return 2;
    }
    const QString picturePath = QString::fromLocal8Bit(argv[1]);
    QPixmap picture(picturePath);
    if (picture.isNull()) std::fprintf(stderr, "first_screen: %s: not a readable picture\n", argv[1]);
    Background window(picture);
    window.setWindowTitle(QStringLiteral("Veltrin"));
    window.setFixedSize(787, 520);   // 11805 x 7800 twips
    readingPane(parchment(&window), firstLines(QString::fromLocal8Bit(argv[2]), FirstScreenLines));
    window.show();
    return app.exec();
}
