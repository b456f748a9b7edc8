#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QTextDocument;

namespace veltrin::rtf {

// Replaces the document's content with the rendered RTF. Never throws, never crashes: malformed or
// truncated input shows what could be read. The input may lack the {\rtf1 signature, as the
// program's own generated documents do. Reading ends where the outermost group closes.
// `firstParagraphsRead`, when given, is called once the first paragraphs (more than a screen of
// them) are in the document, so that a view can show them while the rest is read.
void readRtf(const QByteArray& rtf, QTextDocument& document, const std::function<void()>& firstParagraphsRead = {});

// The document's plain text with CR LF between paragraphs, not after the last one: a document that
// ends with \par ends with an empty paragraph and so with CR LF. Line breaks (\line) read as
// paragraph ends, table cells are paragraphs of their own, and pictures leave no character.
QString plainTextCrLf(const QTextDocument& document);

}   // namespace veltrin::rtf
