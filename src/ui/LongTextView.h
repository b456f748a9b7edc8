#pragma once
// A read-only view of a long rich-text document, such as the journal report: the document is kept
// as its text and its runs of character formats, and only the paragraphs on screen are laid out and
// painted, so that a document of a quarter of a million paragraphs is shown as soon as it is read.
// The scroll bar counts lines; a paragraph not yet laid out counts as one line until it is shown.
// Margins, alignment and pictures of the document are left out; text is selected with the mouse and
// copied with the keys. A screen reader reads the text through offsets in it (see `readableText`); the
// caret stands at the start of the top line on screen until the mouse or the reader puts it elsewhere.
#include <QAbstractScrollArea>
#include <QCache>
#include <QTextLayout>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace veltrin::ui {

// The paragraphs of a document and the character formats of their text.
struct LongText {
    struct Run {
        qsizetype start;   // in `text`
        int format;        // in `formats`
    };
    QString text;                           // the paragraphs one after the other, nothing between them
    std::vector<qsizetype> paragraphEnds;   // where each paragraph ends in `text`
    std::vector<Run> runs;                  // in the order of their starts, the first at 0
    QList<QTextCharFormat> formats;
};

// Reads RTF as the rich-text view does, into paragraphs and formats. `firstParagraphsRead`, when
// given, is called once the first paragraphs (more than a screen of them) are in `text`.
void readLongText(const QByteArray& rtf, LongText& text, const std::function<void()>& firstParagraphsRead = {});

class LongTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LongTextView(QWidget* parent = nullptr);

    // Replaces what the view shows by the document, shown from its top.
    void setRtf(const QByteArray& rtf);
    int paragraphCount() const { return int(m_text.paragraphEnds.size()); }
    QString paragraphText(int paragraph) const;
    QList<QTextLayout::FormatRange> paragraphFormats(int paragraph) const;
    // The plain text, each paragraph end and line break given as CR LF.
    QString plainTextCrLf() const;

    // The text as a screen reader reads it, in offsets from its start: a line feed ends each paragraph
    // but the last and stands for each line break. Spans are [start, end) and end before a line feed.
    int readableLength() const;
    QString readableText(int start, int end) const;
    std::pair<int, int> readableParagraph(int offset) const;
    std::pair<int, int> readableLine(int offset);   // as laid out on screen
    int caretOffset();
    void setCaretOffset(int offset);         // brings the caret's line on screen and ends the selection
    std::pair<int, int> selection() const;   // start == end when nothing is selected
    void select(int start, int end);
    // In the screen's coordinates; a character off screen has an empty rectangle.
    QRect characterRect(int offset);
    int offsetAt(QPoint global);
    void showOffset(int offset);   // scrolls the offset's line to the top unless it is on screen

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // A place in the text: a paragraph and a character in it.
    struct Place {
        int paragraph = 0;
        int at = 0;
        auto operator<=>(const Place&) const = default;
    };
    struct Shown {
        int paragraph;
        qreal top;   // in the viewport
    };

    const QTextLayout& layoutOf(int paragraph);
    void countLinesAgain();
    void countLines(int paragraph, int lines);
    int linesBefore(int paragraph) const;
    Place lineAt(int line) const;
    void updateScrollRange();
    void scrollToEnd();
    int pageLines() const;
    Place placeAt(QPoint point);
    QList<QTextLayout::FormatRange> selectionIn(int paragraph) const;
    QString selectedText() const;
    int offsetOf(Place place) const;
    Place placeOf(int offset) const;
    void tellCaretMoved();
    void tellSelectionChanged();

    LongText m_text;
    std::vector<int> m_lineTree;   // the paragraphs' line counts as a Fenwick tree
    std::vector<int> m_lineCounts;
    QCache<int, QTextLayout> m_layouts{600};   // of the paragraphs shown lately, at the view's width
    int m_layoutWidth = -1;
    std::vector<Shown> m_shown;   // the paragraphs painted last, from the top
    Place m_anchor;
    Place m_cursor;
    std::optional<Place> m_caret;   // put by the mouse or a screen reader since the text last moved
};

}   // namespace veltrin::ui
