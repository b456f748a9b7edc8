#include "rtf/RtfParser.h"

#include "rtf/RtfParserState.h"

#include <algorithm>
#include <utility>

namespace veltrin::rtf {

namespace detail {

void RtfParser::run() {
    for (RtfToken token = m_tokenizer.next(); token.kind != RtfToken::Kind::End; token = m_tokenizer.next())
        if (!handle(token)) break;
    flushBytes();
    m_sink.finish();
}

// Returns false when the outermost group has closed.
bool RtfParser::handle(const RtfToken& token) {
    if (state().destination == Destination::Skipped) return skipToken(token);
    using Kind = RtfToken::Kind;
    if (token.kind == Kind::Text) {
        text(token.word);
        return true;
    }
    if (token.kind == Kind::HexByte) {
        hexByte(token.byte);
        return true;
    }
    flushBytes();
    const bool starred = std::exchange(m_starPending, false);
    switch (token.kind) {
    case Kind::GroupStart: openGroup(); return true;
    case Kind::GroupEnd: return closeGroup();
    case Kind::Symbol: controlSymbol(token.symbol); return true;
    case Kind::Word:
        if (starred) {
            const KeywordInfo* info = findKeyword(token.word);
            const bool destination = info && info->keyword <= Keyword::SkippedDestination;
            if (!destination) {
                state().destination = Destination::Skipped;
                return true;
            }
        }
        controlWord(token);
        return true;
    default: return true;
    }
}

// Inside a skipped group only nesting and the length of binary data matter.
bool RtfParser::skipToken(const RtfToken& token) {
    if (token.kind == RtfToken::Kind::GroupStart) ++m_extraDepth;
    if (token.kind == RtfToken::Kind::Word && token.word == "bin") m_tokenizer.takeBytes(token.param);
    if (token.kind != RtfToken::Kind::GroupEnd) return true;
    if (m_extraDepth > 0) {
        --m_extraDepth;
        return true;
    }
    return closeGroup();
}

void RtfParser::openGroup() {
    m_skipCount = 0;
    if (m_stack.size() >= maxDepth) {
        ++m_extraDepth;
        return;
    }
    m_stack.push_back(state());
}

bool RtfParser::closeGroup() {
    m_skipCount = 0;
    if (m_extraDepth > 0) {
        --m_extraDepth;
        return true;
    }
    if (m_stack.size() == 1) return true;   // a stray brace before the first group
    const Destination closed = state().destination;
    if (closed == Destination::FontTable) commitFont();
    m_stack.pop_back();
    if (closed == Destination::Picture && state().destination != Destination::Picture) finishPicture();
    return m_stack.size() > 1;
}

void RtfParser::text(std::string_view bytes) {
    const auto skipped = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(m_skipCount));
    m_skipCount -= static_cast<int>(skipped);
    bytes.remove_prefix(skipped);
    switch (state().destination) {
    case Destination::Body: m_bytes.append(bytes); break;
    case Destination::Picture: m_picture.appendHex(bytes); break;
    case Destination::FontTable:
        for (const char c : bytes) {
            if (c == ';') commitFont();
            else m_fontName.append(c);
        }
        break;
    case Destination::ColorTable:
        for (auto n = std::count(bytes.begin(), bytes.end(), ';'); n > 0; --n) commitColor();
        break;
    case Destination::Skipped: break;
    }
}

void RtfParser::hexByte(std::uint8_t byte) {
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    if (state().destination == Destination::Body) m_bytes.push_back(static_cast<char>(byte));
    if (state().destination == Destination::FontTable) m_fontName.append(static_cast<char>(byte));
}

void RtfParser::flushBytes() {
    if (m_bytes.empty()) return;
    QString& out = m_sink.textFor(state().chars, state().para);
    const auto font = m_tables.fonts.constFind(state().chars.font >= 0 ? state().chars.font : m_tables.defaultFont);
    if (font != m_tables.fonts.cend() && font->charset == symbolCharset) {
        for (const char c : m_bytes) {
            const char16_t mapped = symbolFontCharacter(static_cast<unsigned char>(c));
            out += QChar(mapped ? mapped : char16_t(static_cast<unsigned char>(c)));
        }
    } else {
        m_decoder.setCodePage(textCodePage());
        m_decoder.appendDecoded(m_bytes, out);
    }
    m_bytes.clear();
}

int RtfParser::textCodePage() const {
    const auto& chars = m_stack.back().chars;
    const auto font = m_tables.fonts.constFind(chars.font >= 0 ? chars.font : m_tables.defaultFont);
    const int fontPage = font == m_tables.fonts.cend() ? 0 : font->codePage;
    return fontPage ? fontPage : m_documentCodePage;
}

void RtfParser::insertCharacter(char16_t c) {
    if (state().destination == Destination::Body) m_sink.textFor(state().chars, state().para) += QChar(c);
}

void RtfParser::controlSymbol(char symbol) {
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    switch (symbol) {
    case '*': m_starPending = true; break;
    case '~': insertCharacter(0x00A0); break;
    case '-': insertCharacter(0x00AD); break;
    case '_': insertCharacter(0x2011); break;
    case '\\':
    case '{':
    case '}': insertCharacter(char16_t(symbol)); break;
    default: break;
    }
}

void RtfParser::controlWord(const RtfToken& token) {
    const KeywordInfo* info = findKeyword(token.word);
    if (m_skipCount > 0 && !(info && info->keyword == Keyword::Binary)) {
        --m_skipCount;
        return;
    }
    if (!info) return;
    if (info->keyword <= Keyword::SkippedDestination) {
        destinationWord(*info);
        return;
    }
    if (documentWord(*info, token) || tableWord(*info, token) || pictureWord(*info, token)) return;
    formattingWord(*info, token);
}

void RtfParser::destinationWord(const KeywordInfo& info) {
    switch (info.keyword) {
    case Keyword::FontTable:
        state().destination = Destination::FontTable;
        m_fontId = -1;
        break;
    case Keyword::ColorTable:
        state().destination = Destination::ColorTable;
        m_tables.colors.clear();
        m_sink.tablesChanged();
        break;
    case Keyword::Picture:
        state().destination = Destination::Picture;
        m_picture = RtfPicture{};
        break;
    case Keyword::SkippedDestination: state().destination = Destination::Skipped; break;
    default: break;
    }
}

// Words that act on the whole document or produce characters; returns whether the word was one.
bool RtfParser::documentWord(const KeywordInfo& info, const RtfToken& token) {
    const bool body = state().destination == Destination::Body;
    switch (info.keyword) {
    case Keyword::Ansi: m_documentCodePage = 1252; return true;
    case Keyword::Mac: m_documentCodePage = 10000; return true;
    case Keyword::Pc: m_documentCodePage = 437; return true;
    case Keyword::Pca: m_documentCodePage = 850; return true;
    case Keyword::AnsiCodePage:
        if (token.param > 0) m_documentCodePage = token.param;
        return true;
    case Keyword::DefaultFont:
        m_tables.defaultFont = token.param;
        m_sink.tablesChanged();
        return true;
    case Keyword::UnicodeSkip: state().unicodeSkip = std::clamp(token.param, 0, 16); return true;
    case Keyword::Unicode: {
        // A value outside 16 bits names no character, but its fallback is still there to skip.
        if (token.hasParam && token.param >= -32768 && token.param <= 65535) {
            const auto code = static_cast<char16_t>(token.param & 0xFFFF);
            const char16_t symbol = code >= 0xF000 ? symbolFontCharacter(code) : 0;
            insertCharacter(symbol ? symbol : code);
        }
        m_skipCount = state().unicodeSkip;
        return true;
    }
    case Keyword::Binary: {
        const std::string_view bytes = m_tokenizer.takeBytes(token.param);
        if (state().destination == Destination::Picture) m_picture.appendBinary(bytes);
        return true;
    }
    case Keyword::ParagraphBreak:
    case Keyword::CellEnd:
        if (body) m_sink.endParagraph(state().para);
        return true;
    case Keyword::RowEnd:
        if (body) m_sink.endParagraphIfNotEmpty(state().para);
        return true;
    case Keyword::Character: insertCharacter(info.value); return true;
    default: return false;
    }
}

}   // namespace detail

void parseRtf(const QByteArray& rtf, DocumentTables& tables, RtfSink& sink) { detail::RtfParser(rtf, tables, sink).run(); }

}   // namespace veltrin::rtf
