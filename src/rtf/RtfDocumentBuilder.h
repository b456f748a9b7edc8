#pragma once

#include "rtf/RtfStyle.h"

#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>

class QTextDocument;

namespace veltrin::rtf {

// The Qt format of a style, its font and colours looked up in the tables.
QTextCharFormat charFormat(const CharStyle& chars, const DocumentTables& tables);

// Writes paragraphs and pictures at the end of a document, turning the RTF styles into Qt formats.
// A paragraph is collected as runs of one format each and written when it ends, in one block
// insertion with its final paragraph format.
class RtfDocumentBuilder final : public RtfSink {
public:
    RtfDocumentBuilder(QTextDocument& document, const DocumentTables& tables);

    QString& textFor(const CharStyle& chars, const ParaStyle& para) override;
    void endParagraph(const ParaStyle& para) override;
    void endParagraphIfNotEmpty(const ParaStyle& para) override;
    void insertImage(const QImage& image, QSizeF size, const ParaStyle& para) override;
    // Formats made before a table entry changed would be stale.
    void tablesChanged() override { m_formats.clear(); }
    void finish() override;

private:
    struct Run {
        QString text;
        QTextCharFormat format;   // a QTextImageFormat for a picture
    };

    void closeRun();
    void writeParagraph(const ParaStyle& para);
    const QTextCharFormat& charFormat(const CharStyle& chars);
    const QTextBlockFormat& blockFormatFor(const ParaStyle& para);

    QTextDocument& m_document;
    const DocumentTables& m_tables;
    QTextCursor m_cursor;
    QList<Run> m_runs;
    QString m_pending;
    CharStyle m_pendingChars;
    ParaStyle m_lastPara;
    bool m_firstBlock = true;
    int m_imageCount = 0;
    QList<std::pair<CharStyle, QTextCharFormat>> m_formats;
    std::optional<ParaStyle> m_blockFormatStyle;
    QTextBlockFormat m_blockFormat;
    const QTextCharFormat m_plainChars;   // of every paragraph mark  // recently used, to reuse their hashes
};

}   // namespace veltrin::rtf
