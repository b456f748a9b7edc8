#include "ui/RichTextView.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "ui/rtf/RtfReader.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
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
    if (!m_longView) {
        m_longView = new QPlainTextEdit(this);
        m_longView->setReadOnly(true);
        m_longView->setFrameShape(QFrame::NoFrame);
    }
    m_fileName = path;
    clear();
    auto* longDocument = new QTextDocument(m_longView);
    longDocument->setDocumentLayout(new QPlainTextDocumentLayout(longDocument));
    longDocument->setDefaultFont(font());
    // The document is filled only once the view holds it at its width: a view that takes a filled
    // document makes a line layout for every paragraph of it.
    m_longView->setGeometry(rect());
    m_longView->show();
    m_longView->raise();
    // The view deletes a document of its own making when it takes another; ours go here.
    const QPointer<QTextDocument> shown = m_longView->document();
    m_longView->setDocument(longDocument);
    if (shown && shown->parent() == m_longView) delete shown;
    rtf::readRtf(documentBytes(path), *longDocument);
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
