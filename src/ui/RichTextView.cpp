#include "ui/RichTextView.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "ui/rtf/RtfReader.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QResizeEvent>

#include <cmath>

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
    } catch (const base::FileError&) {
        return {};
    }
}

} // namespace

void RichTextView::LoadFile(const QString& path) {
    endLongView();
    m_fileName = path;
    rtf::readRtf(documentBytes(path), *document());
    moveCursor(QTextCursor::Start);
}

void RichTextView::LoadLongFile(const QString& path) {
    if (!m_longView) m_longView = newLongView();
    m_fileName = path;
    clear();
    m_longView->setGeometry(rect());
    m_longView->show();
    m_longView->raise();
    // The view's width must not change once it is filled: a narrower view (a scroll bar that
    // appears) lays out every paragraph again. So the bar stands while the document is read; a
    // document of fewer paragraphs than this cannot be sure to need it and is laid out again without.
    constexpr int surelyLongParagraphs = 1000;
    m_longView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // One document for every long file: a new one each time would leave the memory of the last
    // one spread over the heap.
    // The first screen is painted as soon as it is read, not after the whole document.
    rtf::readRtf(documentBytes(path), *m_longView->document(), [this] { m_longView->viewport()->repaint(); });
    if (m_longView->document()->blockCount() < surelyLongParagraphs) m_longView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

// The document is filled only while the view holds it at its width: a view that takes a filled
// document makes a line layout for every paragraph of it.
QPlainTextEdit* RichTextView::newLongView() {
    auto* view = new QPlainTextEdit(this);
    view->setReadOnly(true);
    view->setFrameShape(QFrame::NoFrame);
    view->setGeometry(rect());
    auto* longDocument = new QTextDocument(view);
    longDocument->setDocumentLayout(new QPlainTextDocumentLayout(longDocument));
    longDocument->setDefaultFont(font());
    longDocument->setUndoRedoEnabled(false);
    view->setDocument(longDocument);
    return view;
}

void RichTextView::endLongView() {
    if (!m_longView || m_longView->isHidden()) return;
    m_longView->hide();
    m_longView->document()->clear();   // its memory goes with its content
}

void RichTextView::SetText(const QString& text) {
    endLongView();
    if (text.isEmpty()) m_fileName.clear();
    setPlainText(text);
}

QString RichTextView::Text() const {
    const bool longShown = m_longView && !m_longView->isHidden();
    return rtf::plainTextCrLf(longShown ? *m_longView->document() : *document());
}

void RichTextView::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (m_longView) m_longView->setGeometry(rect());
}

void RichTextView::setTopEdge(double top) {
    m_top = top;
    move(x(), static_cast<int>(std::lround(top)));
}

void RichTextView::setPaneHeight(int height) { resize(width(), height); }

} // namespace veltrin::ui
