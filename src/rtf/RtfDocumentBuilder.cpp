#include "rtf/RtfDocumentBuilder.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <array>
#include <utility>

namespace veltrin::rtf {

namespace {

// The view assumes 15 twips to a pixel, as the rest of the program's layout does.
constexpr double twipsPerPixel = 15.0;
// Bounds a hostile indent or spacing so that layout stays finite.
constexpr double maxLengthPixels = 4000.0;

double pixels(int twips) { return std::clamp(twips / twipsPerPixel, -maxLengthPixels, maxLengthPixels); }

struct FaceSubstitute {
    const char* face;
    QFont::StyleHint hint;
};

// Faces of Windows documents and the kind of face that stands in for them where they are missing.
constexpr std::array<FaceSubstitute, 20> faceSubstitutes = {{{"Times New Roman", QFont::Serif},
                                                             {"Times", QFont::Serif},
                                                             {"Georgia", QFont::Serif},
                                                             {"Cambria", QFont::Serif},
                                                             {"Garamond", QFont::Serif},
                                                             {"Book Antiqua", QFont::Serif},
                                                             {"Arial", QFont::SansSerif},
                                                             {"Helvetica", QFont::SansSerif},
                                                             {"Helv", QFont::SansSerif},
                                                             {"MS Sans Serif", QFont::SansSerif},
                                                             {"Tahoma", QFont::SansSerif},
                                                             {"Verdana", QFont::SansSerif},
                                                             {"Segoe UI", QFont::SansSerif},
                                                             {"Calibri", QFont::SansSerif},
                                                             {"Courier New", QFont::TypeWriter},
                                                             {"Courier", QFont::TypeWriter},
                                                             {"Lucida Console", QFont::TypeWriter},
                                                             {"Consolas", QFont::TypeWriter},
                                                             {"Comic Sans MS", QFont::Cursive},
                                                             {"Symbol", QFont::AnyStyle}}};

QFont::StyleHint styleHint(const FontEntry& font) {
    for (const auto& substitute : faceSubstitutes)
        if (font.name.compare(QLatin1String(substitute.face), Qt::CaseInsensitive) == 0) return substitute.hint;
    return font.hint;
}

QString genericFamily(QFont::StyleHint hint) {
    switch (hint) {
    case QFont::Serif: return QStringLiteral("serif");
    case QFont::SansSerif: return QStringLiteral("sans-serif");
    case QFont::TypeWriter: return QStringLiteral("monospace");
    case QFont::Cursive: return QStringLiteral("cursive");
    default: return {};
    }
}

void applyFont(QTextCharFormat& format, const FontEntry& font) {
    const QFont::StyleHint hint = styleHint(font);
    QStringList families{font.name};
    if (const QString generic = genericFamily(hint); !generic.isEmpty()) families << generic;
    format.setFontFamilies(families);
    format.setFontStyleHint(hint);
}

QColor tableColor(const QList<QColor>& colors, int index) { return index >= 0 && index < colors.size() ? colors[index] : QColor(); }

QTextBlockFormat blockFormat(const ParaStyle& para) {
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setLeftMargin(pixels(para.leftIndent));
    format.setRightMargin(pixels(para.rightIndent));
    format.setTextIndent(pixels(para.firstIndent));
    format.setTopMargin(pixels(std::max(para.spaceBefore, 0)));
    format.setBottomMargin(pixels(std::max(para.spaceAfter, 0)));
    return format;
}

}   // namespace

QTextCharFormat charFormat(const CharStyle& chars, const DocumentTables& tables) {
    QTextCharFormat format;
    if (chars.bold) format.setFontWeight(QFont::Bold);
    if (chars.italic) format.setFontItalic(true);
    if (chars.underline) format.setFontUnderline(true);
    if (chars.strike) format.setFontStrikeOut(true);
    // A font the table does not name, like the \f26 of generated documents, keeps the view's face.
    const int font = chars.font >= 0 ? chars.font : tables.defaultFont;
    if (const auto it = tables.fonts.constFind(font); it != tables.fonts.cend() && !it->name.isEmpty()) applyFont(format, *it);
    if (chars.halfPoints > 0) format.setFontPointSize(chars.halfPoints / 2.0);
    if (const QColor color = tableColor(tables.colors, chars.foreColor); color.isValid()) format.setForeground(color);
    if (const QColor color = tableColor(tables.colors, chars.backColor); color.isValid()) format.setBackground(color);
    return format;
}

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& document, const DocumentTables& tables)
    : m_document(document), m_tables(tables), m_cursor(&document) {
    // One edit block for the whole document: without it every insertion lays out its paragraph
    // again to place the cursor, which makes long paragraphs quadratic.
    m_cursor.beginEditBlock();
}

QString& RtfDocumentBuilder::textFor(const CharStyle& chars, const ParaStyle& para) {
    if (!m_pending.isEmpty() && chars != m_pendingChars) closeRun();
    m_pendingChars = chars;
    m_lastPara = para;
    return m_pending;
}

void RtfDocumentBuilder::endParagraph(const ParaStyle& para) {
    writeParagraph(para);
    m_lastPara = para;
}

void RtfDocumentBuilder::endParagraphIfNotEmpty(const ParaStyle& para) {
    if (!m_runs.isEmpty() || !m_pending.isEmpty()) endParagraph(para);
}

void RtfDocumentBuilder::insertImage(const QImage& image, QSizeF size, const ParaStyle& para) {
    closeRun();
    const QUrl name(QStringLiteral("rtf-image:%1").arg(++m_imageCount));
    m_document.addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(size.width());
    format.setHeight(size.height());
    m_runs.append({QString(), format});
    m_lastPara = para;
}

void RtfDocumentBuilder::finish() {
    writeParagraph(m_lastPara);
    m_cursor.endEditBlock();
}

void RtfDocumentBuilder::closeRun() {
    if (m_pending.isEmpty()) return;
    m_runs.append({m_pending, charFormat(m_pendingChars)});
    m_pending.clear();
}

void RtfDocumentBuilder::writeParagraph(const ParaStyle& para) {
    closeRun();
    if (std::exchange(m_firstBlock, false)) m_cursor.setBlockFormat(blockFormatFor(para));
    else m_cursor.insertBlock(blockFormatFor(para), m_plainChars);
    for (const Run& run : std::as_const(m_runs)) {
        if (run.format.isImageFormat()) m_cursor.insertImage(run.format.toImageFormat());
        else m_cursor.insertText(run.text, run.format);
    }
    m_runs.clear();
}

// Paragraphs come in long stretches of one style; one format object for the stretch keeps its hash,
// so the document finds it among its formats without building and hashing a new one each time.
const QTextBlockFormat& RtfDocumentBuilder::blockFormatFor(const ParaStyle& para) {
    if (!m_blockFormatStyle || *m_blockFormatStyle != para) {
        m_blockFormat = blockFormat(para);
        m_blockFormatStyle = para;
    }
    return m_blockFormat;
}

const QTextCharFormat& RtfDocumentBuilder::charFormat(const CharStyle& chars) {
    for (const auto& [style, format] : std::as_const(m_formats))
        if (style == chars) return format;
    // Documents use a handful of styles; a hostile one cannot grow the list without bound.
    if (m_formats.size() >= 64) m_formats.clear();
    m_formats.append({chars, rtf::charFormat(chars, m_tables)});
    return m_formats.last().second;
}

}   // namespace veltrin::rtf
