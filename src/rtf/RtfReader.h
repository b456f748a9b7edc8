#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace veltrin::rtf {

// Replaces the document's content with the rendered RTF. Never throws, never crashes: malformed or
// truncated input shows what could be read. The input may lack the {\rtf1 signature, as the
// program's own generated documents do. Reading ends where the outermost group closes.
void readRtf(const QByteArray& rtf, QTextDocument& document);

// The document's plain text with CR LF between paragraphs, not after the last one: a document that
// ends with \par ends with an empty paragraph and so with CR LF. Line breaks (\line) read as
// paragraph ends, table cells are paragraphs of their own, and pictures leave no character.
QString plainTextCrLf(const QTextDocument& document);

}   // namespace veltrin::rtf
