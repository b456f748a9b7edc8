#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

namespace veltrin::rtf {

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
    int codePage = 0;   // \cpg, or the page of the charset; 0: the document's
};

// What the header tables of a document define.
struct DocumentTables {
    QHash<int, FontEntry> fonts;
    QList<QColor> colors;   // an invalid colour stands for the view's own colour
    int defaultFont = -1;
};

// Receives what the parser reads from the body of a document, in reading order.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    // The buffer that collects text of this style; the parser appends to it right away.
    virtual QString& textFor(const CharStyle& chars, const ParaStyle& para) = 0;
    virtual void endParagraph(const ParaStyle& para) = 0;
    virtual void endParagraphIfNotEmpty(const ParaStyle& para) = 0;
    virtual void insertImage(const QImage& image, QSizeF size, const ParaStyle& para) = 0;
    // A font or colour table entry, or the default font, changed.
    virtual void tablesChanged() = 0;
    virtual void finish() = 0;
};

}   // namespace veltrin::rtf
