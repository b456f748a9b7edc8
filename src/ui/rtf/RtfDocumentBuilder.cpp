#include "ui/rtf/RtfDocumentBuilder.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <array>

namespace veltrin::ui::rtf {

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
constexpr std::array<FaceSubstitute, 20> faceSubstitutes = {{
    {"Times New Roman", QFont::Serif},   {"Times", QFont::Serif},
    {"Georgia", QFont::Serif},           {"Cambria", QFont::Serif},
    {"Garamond", QFont::Serif},          {"Book Antiqua", QFont::Serif},
    {"Arial", QFont::SansSerif},         {"Helvetica", QFont::SansSerif},
    {"Helv", QFont::SansSerif},          {"MS Sans Serif", QFont::SansSerif},
    {"Tahoma", QFont::SansSerif},        {"Verdana", QFont::SansSerif},
    {"Segoe UI", QFont::SansSerif},      {"Calibri", QFont::SansSerif},
    {"Courier New", QFont::TypeWriter},  {"Courier", QFont::TypeWriter},
    {"Lucida Console", QFont::TypeWriter}, {"Consolas", QFont::TypeWriter},
    {"Comic Sans MS", QFont::Cursive},   {"Symbol", QFont::AnyStyle}}};

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

QColor tableColor(const QList<QColor>& colors, int index) {
    return index >= 0 && index < colors.size() ? colors[index] : QColor();
}

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

}  // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& document, const DocumentTables& tables)
    : m_document(document), m_tables(tables), m_cursor(&document) {
    m_cursor.setBlockFormat(blockFormat(m_appliedPara));
}

QString& RtfDocumentBuilder::textFor(const CharStyle& chars, const ParaStyle& para) {
    if (!m_pending.isEmpty() && (chars != m_pendingChars || para != m_pendingPara)) flush();
    m_pendingChars = chars;
    m_pendingPara = para;
    return m_pending;
}

void RtfDocumentBuilder::endParagraph(const ParaStyle& para) {
    flush();
    applyParagraph(para);
    m_cursor.insertBlock();
    m_blockHasContent = false;
}

void RtfDocumentBuilder::endParagraphIfNotEmpty(const ParaStyle& para) {
    if (m_blockHasContent || !m_pending.isEmpty()) endParagraph(para);
}

void RtfDocumentBuilder::insertImage(const QImage& image, QSizeF size, const ParaStyle& para) {
    flush();
    applyParagraph(para);
    const QUrl name(QStringLiteral("rtf-image:%1").arg(++m_imageCount));
    m_document.addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(size.width());
    format.setHeight(size.height());
    m_cursor.insertImage(format);
    m_blockHasContent = true;
}

void RtfDocumentBuilder::finish() { flush(); }

void RtfDocumentBuilder::flush() {
    if (m_pending.isEmpty()) return;
    applyParagraph(m_pendingPara);
    m_cursor.insertText(m_pending, charFormat(m_pendingChars));
    m_pending.clear();
    m_blockHasContent = true;
}

void RtfDocumentBuilder::applyParagraph(const ParaStyle& para) {
    if (para == m_appliedPara) return;
    m_cursor.setBlockFormat(blockFormat(para));
    m_appliedPara = para;
}

QTextCharFormat RtfDocumentBuilder::charFormat(const CharStyle& chars) const {
    QTextCharFormat format;
    if (chars.bold) format.setFontWeight(QFont::Bold);
    if (chars.italic) format.setFontItalic(true);
    if (chars.underline) format.setFontUnderline(true);
    if (chars.strike) format.setFontStrikeOut(true);
    const int font = chars.font >= 0 ? chars.font : m_tables.defaultFont;
    if (const auto it = m_tables.fonts.constFind(font); it != m_tables.fonts.cend() && !it->name.isEmpty())
        applyFont(format, *it);
    if (chars.halfPoints > 0) format.setFontPointSize(chars.halfPoints / 2.0);
    if (const QColor color = tableColor(m_tables.colors, chars.foreColor); color.isValid()) format.setForeground(color);
    if (const QColor color = tableColor(m_tables.colors, chars.backColor); color.isValid()) format.setBackground(color);
    return format;
}

}  // namespace veltrin::ui::rtf
