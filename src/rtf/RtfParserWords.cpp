// The parser's handling of the header tables, pictures and character and paragraph formatting.
#include "rtf/RtfParserState.h"

#include <algorithm>

namespace veltrin::rtf::detail {

// Words of the font and colour tables; returns whether the word was one.
bool RtfParser::tableWord(const KeywordInfo& info, const RtfToken& token) {
    const Destination destination = state().destination;
    if (destination == Destination::FontTable) {
        switch (info.keyword) {
        case Keyword::Font:
            m_fontId = token.param;
            m_fontName.clear();
            m_font = FontEntry{};
            return true;
        case Keyword::FontFamily: m_font.hint = static_cast<QFont::StyleHint>(info.value); return true;
        case Keyword::FontCharset:
            m_font.charset = token.param;
            if (!m_font.codePage) m_font.codePage = codePageOfCharset(token.param);
            return true;
        case Keyword::FontCodePage: m_font.codePage = std::max(token.param, 0); return true;
        default: return false;
        }
    }
    if (destination != Destination::ColorTable) return false;
    const int component = std::clamp(token.param, 0, 255);
    switch (info.keyword) {
    case Keyword::Red: m_red = component; break;
    case Keyword::Green: m_green = component; break;
    case Keyword::Blue: m_blue = component; break;
    default: return false;
    }
    m_colorSet = true;
    return true;
}

bool RtfParser::pictureWord(const KeywordInfo& info, const RtfToken& token) {
    if (state().destination != Destination::Picture) return false;
    const int value = std::clamp(token.param, 0, maxTwips);
    switch (info.keyword) {
    case Keyword::PngBlip: m_picture.kind = RtfPicture::Kind::Png; return true;
    case Keyword::JpegBlip: m_picture.kind = RtfPicture::Kind::Jpeg; return true;
    case Keyword::OtherBlip: m_picture.kind = RtfPicture::Kind::Unsupported; return true;
    case Keyword::PictureWidth: m_picture.width = value; return true;
    case Keyword::PictureHeight: m_picture.height = value; return true;
    case Keyword::PictureGoalWidth: m_picture.goalWidth = value; return true;
    case Keyword::PictureGoalHeight: m_picture.goalHeight = value; return true;
    case Keyword::PictureScaleX: m_picture.scaleX = value; return true;
    case Keyword::PictureScaleY: m_picture.scaleY = value; return true;
    default: return false;
    }
}

void RtfParser::formattingWord(const KeywordInfo& info, const RtfToken& token) {
    CharStyle& chars = state().chars;
    ParaStyle& para = state().para;
    const bool on = !token.hasParam || token.param != 0;
    const int twips = std::clamp(token.param, -maxTwips, maxTwips);
    switch (info.keyword) {
    case Keyword::Bold: chars.bold = on; break;
    case Keyword::Italic: chars.italic = on; break;
    case Keyword::Underline: chars.underline = on; break;
    case Keyword::UnderlineNone: chars.underline = false; break;
    case Keyword::Strike: chars.strike = on; break;
    case Keyword::Plain: chars = CharStyle{}; break;
    case Keyword::FontSize: chars.halfPoints = std::clamp(token.param, 0, 3000); break;
    case Keyword::Font: chars.font = token.param; break;
    case Keyword::ForeColor: chars.foreColor = token.param; break;
    case Keyword::BackColor: chars.backColor = token.param; break;
    case Keyword::ParagraphDefaults: para = ParaStyle{}; break;
    case Keyword::AlignLeft: para.alignment = Qt::AlignLeft; break;
    case Keyword::AlignCenter: para.alignment = Qt::AlignHCenter; break;
    case Keyword::AlignRight: para.alignment = Qt::AlignRight; break;
    case Keyword::AlignJustify: para.alignment = Qt::AlignJustify; break;
    case Keyword::LeftIndent: para.leftIndent = twips; break;
    case Keyword::RightIndent: para.rightIndent = twips; break;
    case Keyword::FirstIndent: para.firstIndent = twips; break;
    case Keyword::SpaceBefore: para.spaceBefore = twips; break;
    case Keyword::SpaceAfter: para.spaceAfter = twips; break;
    default: break;
    }
}

void RtfParser::commitFont() {
    if (m_fontId < 0 || m_fontName.isEmpty()) return;
    CodePageDecoder decoder;
    decoder.setCodePage(m_font.codePage ? m_font.codePage : m_documentCodePage);
    decoder.appendDecoded(std::string_view(m_fontName.constData(), static_cast<std::size_t>(m_fontName.size())), m_font.name);
    m_font.name = m_font.name.trimmed();
    m_tables.fonts.insert(m_fontId, m_font);
    m_sink.tablesChanged();
    m_fontName.clear();
    m_font = FontEntry{};
}

void RtfParser::commitColor() {
    m_tables.colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_sink.tablesChanged();
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
}

void RtfParser::finishPicture() {
    if (state().destination != Destination::Body) return;
    if (const auto picture = decodePicture(m_picture)) m_sink.insertImage(picture->image, picture->size, state().para);
    m_picture = RtfPicture{};
}

}   // namespace veltrin::rtf::detail
