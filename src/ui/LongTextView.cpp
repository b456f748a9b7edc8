#include "ui/LongTextView.h"

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfParser.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <bit>

namespace veltrin::ui {

namespace {

// As the toolkit's plain text view: text keeps this far from the view's edges.
constexpr qreal Margin = 4;

// Collects the text of a document as it is read, starting a run where the style changes.
class LongTextSink final : public rtf::RtfSink {
public:
    LongTextSink(LongText& text, const rtf::DocumentTables& tables, const std::function<void()>& firstParagraphsRead)
        : m_text(text), m_tables(tables), m_firstParagraphsRead(firstParagraphsRead) {}

    QString& textFor(const rtf::CharStyle& chars, const rtf::ParaStyle&) override {
        if (m_style != chars) startRun(chars);
        return m_text.text;
    }
    void endParagraph(const rtf::ParaStyle&) override {
        m_text.paragraphEnds.push_back(m_text.text.size());
        // Enough for the tallest screen of one-line paragraphs.
        constexpr std::size_t firstParagraphs = 200;
        if (m_text.paragraphEnds.size() == firstParagraphs && m_firstParagraphsRead) m_firstParagraphsRead();
    }
    void endParagraphIfNotEmpty(const rtf::ParaStyle& para) override {
        if (m_text.text.size() > (m_text.paragraphEnds.empty() ? 0 : m_text.paragraphEnds.back())) endParagraph(para);
    }
    void insertImage(const QImage&, QSizeF, const rtf::ParaStyle&) override {}
    void tablesChanged() override {
        m_styles.clear();
        m_style.reset();
    }
    void finish() override { m_text.paragraphEnds.push_back(m_text.text.size()); }

private:
    void startRun(const rtf::CharStyle& chars) {
        m_style = chars;
        const int format = formatOf(chars);
        std::vector<LongText::Run>& runs = m_text.runs;
        if (!runs.empty() && runs.back().start == m_text.text.size()) runs.back().format = format;
        else if (runs.empty() || runs.back().format != format) runs.push_back({m_text.text.size(), format});
    }

    // Styles that give the same format share it, so that a run ends only where the format changes.
    int formatOf(const rtf::CharStyle& chars) {
        for (const auto& [style, format] : std::as_const(m_styles))
            if (style == chars) return format;
        const QTextCharFormat format = rtf::charFormat(chars, m_tables);
        qsizetype index = m_text.formats.indexOf(format);
        if (index < 0) {
            index = m_text.formats.size();
            m_text.formats.append(format);
        }
        m_styles.append({chars, int(index)});
        return int(index);
    }

    LongText& m_text;
    const rtf::DocumentTables& m_tables;
    const std::function<void()>& m_firstParagraphsRead;
    std::optional<rtf::CharStyle> m_style;
    QList<std::pair<rtf::CharStyle, int>> m_styles;
};

qsizetype paragraphStart(const LongText& text, int paragraph) {
    return paragraph == 0 ? 0 : text.paragraphEnds[std::size_t(paragraph - 1)];
}

// The line of the layout that holds the character.
int lineIn(const QTextLayout& layout, int at) {
    int line = 0;
    while (line + 1 < layout.lineCount() && layout.lineAt(line + 1).textStart() <= at) ++line;
    return line;
}

}   // namespace

void readLongText(const QByteArray& rtf, LongText& text, const std::function<void()>& firstParagraphsRead) {
    text = {};
    rtf::DocumentTables tables;
    LongTextSink sink(text, tables, firstParagraphsRead);
    rtf::parseRtf(rtf, tables, sink);
    text.text.squeeze();
}

LongTextView::LongTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setCursor(Qt::IBeamCursor);
    readLongText({}, m_text);   // one empty paragraph, as any document read has at least one
    countLinesAgain();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        m_caret.reset();
        tellCaretMoved();
    });
}

// A screen reader hears the old text go and the new one come; without one, no text is built.
void LongTextView::setRtf(const QByteArray& rtf) {
    const bool told = QAccessible::isActive();
    const QString oldText = told ? readableText(0, readableLength()) : QString();
    m_anchor = m_cursor = {};
    m_caret.reset();
    const auto showRead = [this] {
        countLinesAgain();
        verticalScrollBar()->setValue(0);
        if (isVisible()) viewport()->repaint();
    };
    readLongText(rtf, m_text, showRead);
    showRead();
    if (!told) return;
    QAccessibleTextUpdateEvent replaced(this, 0, oldText, readableText(0, readableLength()));
    QAccessible::updateAccessibility(&replaced);
    tellCaretMoved();
}

QString LongTextView::paragraphText(int paragraph) const {
    const qsizetype start = paragraphStart(m_text, paragraph);
    return m_text.text.mid(start, m_text.paragraphEnds[std::size_t(paragraph)] - start);
}

QList<QTextLayout::FormatRange> LongTextView::paragraphFormats(int paragraph) const {
    const qsizetype start = paragraphStart(m_text, paragraph);
    const qsizetype end = m_text.paragraphEnds[std::size_t(paragraph)];
    const auto& runs = m_text.runs;
    auto run = std::upper_bound(runs.begin(), runs.end(), start, [](qsizetype at, const LongText::Run& r) { return at < r.start; });
    if (run != runs.begin()) --run;
    QList<QTextLayout::FormatRange> ranges;
    for (; run != runs.end() && run->start < end; ++run) {
        const qsizetype runEnd = std::next(run) == runs.end() ? m_text.text.size() : std::next(run)->start;
        const qsizetype from = std::max(run->start, start);
        const qsizetype to = std::min(runEnd, end);
        if (to > from) ranges.append({int(from - start), int(to - from), m_text.formats[run->format]});
    }
    return ranges;
}

QString LongTextView::plainTextCrLf() const {
    QString plain;
    plain.reserve(m_text.text.size() + 2 * qsizetype(m_text.paragraphEnds.size()));
    for (int paragraph = 0; paragraph < paragraphCount(); ++paragraph) {
        if (paragraph > 0) plain += QLatin1String("\r\n");
        const qsizetype start = paragraphStart(m_text, paragraph);
        plain += QStringView(m_text.text).sliced(start, m_text.paragraphEnds[std::size_t(paragraph)] - start);
    }
    return plain.replace(QChar::LineSeparator, QLatin1String("\r\n"));
}

int LongTextView::readableLength() const { return int(m_text.text.size()) + std::max(paragraphCount() - 1, 0); }

QString LongTextView::readableText(int start, int end) const {
    const Place from = placeOf(start);
    const Place to = placeOf(end);
    QString text;
    if (to <= from) return text;
    text.reserve(offsetOf(to) - offsetOf(from));
    for (int paragraph = from.paragraph; paragraph <= to.paragraph; ++paragraph) {
        const qsizetype begin = paragraphStart(m_text, paragraph);
        const qsizetype first = begin + (paragraph == from.paragraph ? from.at : 0);
        const qsizetype last = paragraph == to.paragraph ? begin + to.at : m_text.paragraphEnds[std::size_t(paragraph)];
        text += QStringView(m_text.text).sliced(first, last - first);
        if (paragraph < to.paragraph) text += QLatin1Char('\n');
    }
    return text.replace(QChar::LineSeparator, QLatin1Char('\n'));
}

std::pair<int, int> LongTextView::readableParagraph(int offset) const {
    const int paragraph = placeOf(offset).paragraph;
    const int end = offsetOf({paragraph, int(m_text.paragraphEnds[std::size_t(paragraph)] - paragraphStart(m_text, paragraph))});
    return {offsetOf({paragraph, 0}), paragraph + 1 < paragraphCount() ? end + 1 : end};
}

std::pair<int, int> LongTextView::readableLine(int offset) {
    const Place place = placeOf(offset);
    const QTextLayout& layout = layoutOf(place.paragraph);
    const int line = lineIn(layout, place.at);
    const int start = offsetOf({place.paragraph, layout.lineAt(line).textStart()});
    if (line + 1 == layout.lineCount()) return {start, readableParagraph(offset).second};
    return {start, start + layout.lineAt(line).textLength()};
}

int LongTextView::caretOffset() {
    if (m_caret) return offsetOf(*m_caret);
    const Place top = lineAt(verticalScrollBar()->value());
    const QTextLayout& layout = layoutOf(top.paragraph);
    return offsetOf({top.paragraph, layout.lineAt(std::min(top.at, layout.lineCount() - 1)).textStart()});
}

void LongTextView::setCaretOffset(int offset) {
    showOffset(offset);
    select(offset, offset);
}

std::pair<int, int> LongTextView::selection() const {
    return {offsetOf(std::min(m_anchor, m_cursor)), offsetOf(std::max(m_anchor, m_cursor))};
}

void LongTextView::select(int start, int end) {
    m_anchor = placeOf(start);
    m_caret = m_cursor = placeOf(end);
    viewport()->update();
    tellSelectionChanged();
}

QRect LongTextView::characterRect(int offset) {
    const Place place = placeOf(offset);
    const auto shown = std::find_if(m_shown.begin(), m_shown.end(), [&place](const Shown& s) { return s.paragraph == place.paragraph; });
    if (shown == m_shown.end()) return {};
    const QTextLayout& layout = layoutOf(place.paragraph);
    const QTextLine line = layout.lineAt(lineIn(layout, place.at));
    const qreal left = line.cursorToX(place.at);
    const QRectF rect(left, shown->top + line.y(), line.cursorToX(place.at + 1) - left, line.height());
    return {viewport()->mapToGlobal(rect.topLeft().toPoint()), rect.size().toSize()};
}

int LongTextView::offsetAt(QPoint global) { return offsetOf(placeAt(viewport()->mapFromGlobal(global))); }

void LongTextView::showOffset(int offset) {
    const Place place = placeOf(offset);
    const int line = linesBefore(place.paragraph) + lineIn(layoutOf(place.paragraph), place.at);
    QScrollBar& bar = *verticalScrollBar();
    if (line >= bar.value() && line < bar.value() + pageLines()) return;
    updateScrollRange();
    bar.setValue(line);
}

int LongTextView::offsetOf(Place place) const { return int(paragraphStart(m_text, place.paragraph)) + place.paragraph + place.at; }

// Paragraph p takes the offsets from its start to its end, where the line feed after it stands.
LongTextView::Place LongTextView::placeOf(int offset) const {
    offset = std::clamp(offset, 0, readableLength());
    const auto& ends = m_text.paragraphEnds;
    // The first paragraph that ends at or after the offset, by halving.
    int paragraph = 0;
    for (int count = paragraphCount(); count > 0;) {
        const int half = count / 2;
        const int middle = paragraph + half;
        if (ends[std::size_t(middle)] + middle < offset) {
            paragraph = middle + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return {paragraph, offset - offsetOf({paragraph, 0})};
}

void LongTextView::tellCaretMoved() {
    if (!QAccessible::isActive()) return;
    QAccessibleTextCursorEvent moved(this, caretOffset());
    QAccessible::updateAccessibility(&moved);
}

void LongTextView::tellSelectionChanged() {
    if (!QAccessible::isActive()) return;
    const auto [start, end] = selection();
    QAccessibleTextSelectionEvent selected(this, start, end);
    QAccessible::updateAccessibility(&selected);
    tellCaretMoved();
}

// Every paragraph counts one line again, until it is laid out.
void LongTextView::countLinesAgain() {
    m_layouts.clear();
    m_shown.clear();
    const std::size_t count = m_text.paragraphEnds.size();
    m_lineCounts.assign(count, 1);
    m_lineTree.assign(count + 1, 0);
    for (std::size_t i = 1; i <= count; ++i) {
        m_lineTree[i] += 1;
        if (const std::size_t parent = i + (i & (~i + 1)); parent <= count) m_lineTree[parent] += m_lineTree[i];
    }
    updateScrollRange();
}

void LongTextView::countLines(int paragraph, int lines) {
    const int change = lines - std::exchange(m_lineCounts[std::size_t(paragraph)], lines);
    if (change == 0) return;
    for (std::size_t i = std::size_t(paragraph) + 1; i < m_lineTree.size(); i += i & (~i + 1)) m_lineTree[i] += change;
}

int LongTextView::linesBefore(int paragraph) const {
    int lines = 0;
    for (std::size_t i = std::size_t(paragraph); i > 0; i -= i & (~i + 1)) lines += m_lineTree[i];
    return lines;
}

// The paragraph that holds the line, and the line's place in it.
LongTextView::Place LongTextView::lineAt(int line) const {
    const std::size_t count = m_lineCounts.size();
    std::size_t before = 0;
    for (std::size_t step = std::bit_floor(std::max<std::size_t>(count, 1)); step > 0; step >>= 1) {
        if (before + step <= count && m_lineTree[before + step] <= line) {
            before += step;
            line -= m_lineTree[before];
        }
    }
    if (before >= count) return {std::max(int(count) - 1, 0), 0};
    return {int(before), line};
}

int LongTextView::pageLines() const {
    const qreal lineHeight = QFontMetricsF(font()).lineSpacing();
    return std::max(1, int((viewport()->height() - 2 * Margin) / lineHeight));
}

void LongTextView::updateScrollRange() {
    QScrollBar& bar = *verticalScrollBar();
    bar.setPageStep(pageLines());
    bar.setRange(0, std::max(0, linesBefore(paragraphCount()) - pageLines()));
}

const QTextLayout& LongTextView::layoutOf(int paragraph) {
    if (const QTextLayout* cached = m_layouts.object(paragraph)) return *cached;
    auto* layout = new QTextLayout(paragraphText(paragraph), font());
    layout->setFormats(paragraphFormats(paragraph));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    const qreal width = viewport()->width() - 2 * Margin;
    qreal height = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition({Margin, height});
        height += line.height();
    }
    layout->endLayout();
    countLines(paragraph, layout->lineCount());
    m_layouts.insert(paragraph, layout);
    return *layout;
}

void LongTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int topLine = verticalScrollBar()->value();
    const Place top = lineAt(topLine);
    qreal y = topLine == 0 ? Margin : 0;
    m_shown.clear();
    for (int paragraph = top.paragraph; paragraph < paragraphCount() && y < viewport()->height(); ++paragraph) {
        const QTextLayout& layout = layoutOf(paragraph);
        if (paragraph == top.paragraph) y -= layout.lineAt(std::min(top.at, layout.lineCount() - 1)).y();
        m_shown.push_back({paragraph, y});
        layout.draw(&painter, {0, y}, selectionIn(paragraph));
        const QTextLine last = layout.lineAt(layout.lineCount() - 1);
        y += last.y() + last.height();
    }
    // Paragraphs laid out for the first time may have more lines than they were counted with.
    updateScrollRange();
}

void LongTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->width() != m_layoutWidth) {
        m_layoutWidth = viewport()->width();
        m_layouts.clear();
    }
    updateScrollRange();
}

// The last paragraphs are laid out first, so that the end is where the bar ends.
void LongTextView::scrollToEnd() {
    for (int paragraph = paragraphCount() - 1, lines = 0; paragraph >= 0 && lines <= pageLines(); --paragraph)
        lines += layoutOf(paragraph).lineCount();
    updateScrollRange();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LongTextView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        if (m_anchor != m_cursor) QGuiApplication::clipboard()->setText(selectedText());
    } else if (event == QKeySequence::SelectAll) {
        select(0, readableLength());
    } else if (event->key() == Qt::Key_Home) {
        verticalScrollBar()->setValue(0);
    } else if (event->key() == Qt::Key_End) {
        scrollToEnd();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void LongTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int offset = offsetOf(placeAt(event->position().toPoint()));
    select(offset, offset);
}

// A drag past the top or bottom edge scrolls the text on.
void LongTextView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint point = event->position().toPoint();
    if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (point.y() > viewport()->height()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    m_caret = m_cursor = placeAt(point);
    viewport()->update();
    tellSelectionChanged();
}

LongTextView::Place LongTextView::placeAt(QPoint point) {
    if (m_shown.empty()) return {};
    auto shown = std::find_if(m_shown.rbegin(), m_shown.rend(), [&point](const Shown& s) { return s.top <= point.y(); });
    const Shown& at = shown == m_shown.rend() ? m_shown.front() : *shown;
    const QTextLayout& layout = layoutOf(at.paragraph);
    QTextLine line = layout.lineAt(0);
    for (int i = 1; i < layout.lineCount() && layout.lineAt(i).y() + at.top <= point.y(); ++i) line = layout.lineAt(i);
    return {at.paragraph, line.xToCursor(point.x())};
}

QList<QTextLayout::FormatRange> LongTextView::selectionIn(int paragraph) const {
    const Place from = std::min(m_anchor, m_cursor);
    const Place to = std::max(m_anchor, m_cursor);
    if (from == to || paragraph < from.paragraph || paragraph > to.paragraph) return {};
    const int start = paragraph == from.paragraph ? from.at : 0;
    const int end = paragraph == to.paragraph ? to.at : int(paragraphText(paragraph).size());
    QTextCharFormat selected;
    selected.setBackground(palette().highlight());
    selected.setForeground(palette().highlightedText());
    return {{start, end - start, selected}};
}

QString LongTextView::selectedText() const {
    const auto [start, end] = selection();
    return readableText(start, end);
}

}   // namespace veltrin::ui
