#include "ui/RichTextView.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "ui/rtf/RtfReader.h"

#include <cmath>

namespace veltrin::ui {

RichTextView::RichTextView(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
}

void RichTextView::LoadFile(const QString& path) {
    m_fileName = path;
    QByteArray bytes;
    if (base::fileExists(path)) {
        try {
            bytes = base::readBytes(path);
        } catch (const base::FileError&) {
            bytes.clear();   // an unreadable document shows as an empty one
        }
    }
    rtf::readRtf(bytes, *document());
    moveCursor(QTextCursor::Start);
}

void RichTextView::SetText(const QString& text) {
    if (text.isEmpty()) m_fileName.clear();
    setPlainText(text);
}

QString RichTextView::Text() const { return rtf::plainTextCrLf(*document()); }

void RichTextView::setTopEdge(double top) {
    m_top = top;
    move(x(), static_cast<int>(std::lround(top)));
}

void RichTextView::setPaneHeight(int height) { resize(width(), height); }

} // namespace veltrin::ui
