#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

namespace veltrin::ui::rtf {

// Character properties of an RTF group; indices point into the font and colour tables.
struct CharStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1;        // -1: the document's default font
    int halfPoints = 0;   // 0: the view's own size
    int foreColor = 0;    // 0: the view's own colour
    int backColor = 0;
    bool operator==(const CharStyle&) const = default;
};

// Paragraph properties of an RTF group, lengths in twips.
struct ParaStyle {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    bool operator==(const ParaStyle&) const = default;
};

struct FontEntry {
    QString name;
    QFont::StyleHint hint = QFont::AnyStyle;
    int charset = 0;
};

// What the header tables of a document define.
struct DocumentTables {
    QHash<int, FontEntry> fonts;
    QList<QColor> colors;  // an invalid colour stands for the view's own colour
    int defaultFont = -1;
};

// Writes runs of text, paragraph breaks and pictures at the end of a document, turning the RTF
// styles into Qt formats. Text is collected per run and inserted when the style changes.
class RtfDocumentBuilder {
public:
    RtfDocumentBuilder(QTextDocument& document, const DocumentTables& tables);

    // The buffer that collects text of this style; append to it right away.
    QString& textFor(const CharStyle& chars, const ParaStyle& para);
    void endParagraph(const ParaStyle& para);
    void endParagraphIfNotEmpty(const ParaStyle& para);
    void insertImage(const QImage& image, QSizeF size, const ParaStyle& para);
    void finish();

private:
    void flush();
    void applyParagraph(const ParaStyle& para);
    QTextCharFormat charFormat(const CharStyle& chars) const;

    QTextDocument& m_document;
    const DocumentTables& m_tables;
    QTextCursor m_cursor;
    QString m_pending;
    CharStyle m_pendingChars;
    ParaStyle m_pendingPara;
    ParaStyle m_appliedPara;
    bool m_blockHasContent = false;
    int m_imageCount = 0;
};

}  // namespace veltrin::ui::rtf
