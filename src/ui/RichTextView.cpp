#include "ui/RichTextView.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "rtf/RtfReader.h"
#include "ui/LongTextView.h"

#include <QAbstractTextDocumentLayout>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace veltrin::ui {

RichTextView::RichTextView(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
}

namespace {

// A missing or unreadable document shows as an empty one.
QByteArray documentBytes(const QString& path) {
    if (!base::fileExists(path)) return {};
    try {
        return base::readBytes(path);
    } catch (const base::FileError&) { return {}; }
}

// A long document's large buffers (its text, the file's bytes) are given back to the system when
// freed. By default the allocator raises its threshold for that after the first such buffer is
// freed, so the next long document would take its buffers from the heap and leave it grown by
// what it cannot reuse.
void keepLargeBlocksApart() {
#ifdef __GLIBC__
    static const bool set = mallopt(M_MMAP_THRESHOLD, 256 * 1024) == 1;
    Q_UNUSED(set);
#endif
}

}   // namespace

void RichTextView::LoadFile(const QString& path) {
    endLongView();
    m_fileName = path;
    rtf::readRtf(documentBytes(path), *document());
    moveCursor(QTextCursor::Start);
    m_readingLine = {};
}

void RichTextView::LoadLongFile(const QString& path) {
    ShowLongDocument(documentBytes(path));
    m_fileName = path;
}

void RichTextView::ShowLongDocument(const QByteArray& rtf) {
    if (!m_longView) {
        m_longView = new LongTextView(this);
        m_longView->setAccessibleName(accessibleName());
    }
    m_fileName.clear();
    clear();
    keepLargeBlocksApart();
    m_longView->setGeometry(rect());
    m_longView->show();
    m_longView->raise();
    m_longView->setRtf(rtf);
}

// The long document goes with all its memory.
void RichTextView::endLongView() {
    if (!m_longView || m_longView->isHidden()) return;
    m_longView->hide();
    m_longView->setRtf({});
}

void RichTextView::SetText(const QString& text) {
    endLongView();
    if (text.isEmpty()) m_fileName.clear();
    setPlainText(text);
    m_readingLine = {};
}

QString RichTextView::Text() const {
    const bool longShown = m_longView && !m_longView->isHidden();
    return longShown ? m_longView->plainTextCrLf() : rtf::plainTextCrLf(*document());
}

void RichTextView::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (m_longView) m_longView->setGeometry(rect());
    if (event->oldSize().width() != width()) {   // the text is laid out afresh, or for the first time
        m_readingLine = {};
        followReadingLine();
    }
}

void RichTextView::setTopEdge(double top) {
    m_top = top;
    placePane(false);
    followReadingLine();
}

void RichTextView::setPaneHeight(int height) {
    m_paneHeight = height;
    placePane(true);
}

// A step of a reading loop within the caret's line costs a comparison; the layout is asked only
// when the line changes, from the caret's block on, so a few blocks at most are passed over. A view
// never shown has no layout yet: the caret finds its line when the view first gets its width.
void RichTextView::followReadingLine() {
    const double y = std::max(-m_top, 0.0);
    if (y >= m_readingLine.first && y < m_readingLine.second) return;
    QAbstractTextDocumentLayout& layout = *document()->documentLayout();
    QTextBlock block = textCursor().block();
    while (block.next().isValid() && layout.blockBoundingRect(block).bottom() <= y) block = block.next();
    while (block.previous().isValid() && layout.blockBoundingRect(block).top() > y) block = block.previous();
    const double blockTop = layout.blockBoundingRect(block).top();
    const QTextLayout* lines = block.layout();
    if (!lines || lines->lineCount() == 0) return;
    QTextLine line = lines->lineAt(0);
    for (int i = 1; i < lines->lineCount() && blockTop + lines->lineAt(i).y() <= y; ++i) line = lines->lineAt(i);
    const double lineTop = blockTop + line.y();
    m_readingLine = {std::min(lineTop, y), std::max(lineTop + line.height(), y + 1)};   // a gap goes with its line
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + line.textStart());
    setTextCursor(cursor);
}

// Every way of scrolling a text view moves its scroll bars, hidden or not; a bar that leaves its
// start is put back at once, so what the view shows stays still.
void RichTextView::lockScrolling() {
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [bar] { bar->setValue(bar->minimum()); });
}

// The view grows a screen at a time as the pane rises, so that it is resized (and painted whole)
// once a screen rather than at every step; a new pane starts again from its first screens.
void RichTextView::placePane(bool newPane) {
    const int top = static_cast<int>(std::lround(m_top));
    const int screen = parentWidget() ? parentWidget()->height() : m_paneHeight;
    const int toBottom = std::max(screen - top, 0);
    int reach = height();
    if (newPane || reach < std::min(toBottom, m_paneHeight)) reach = std::min(toBottom + screen, m_paneHeight);
    setGeometry(x(), top, width(), std::max(reach, 0));
}

}   // namespace veltrin::ui
