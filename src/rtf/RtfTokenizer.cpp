#include "rtf/RtfTokenizer.h"

#include <algorithm>

namespace veltrin::rtf {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

RtfToken token(RtfToken::Kind kind) {
    RtfToken result;
    result.kind = kind;
    return result;
}

bool endsText(char c) { return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n'; }

// Parameters beyond this are nonsense in RTF; saturating keeps the arithmetic defined.
constexpr std::int64_t maxParam = 0x7fffffff;

}   // namespace

RtfTokenizer::RtfTokenizer(const QByteArray& data) : m_pos(data.constData()), m_end(data.constData() + data.size()) {}

RtfToken RtfTokenizer::next() {
    while (m_pos < m_end && (*m_pos == '\r' || *m_pos == '\n')) ++m_pos;
    if (m_pos == m_end) return {};
    const char c = *m_pos;
    if (c == '{') {
        ++m_pos;
        return token(RtfToken::Kind::GroupStart);
    }
    if (c == '}') {
        ++m_pos;
        return token(RtfToken::Kind::GroupEnd);
    }
    if (c != '\\') return text();
    ++m_pos;
    if (m_pos == m_end) return {};
    return isLetter(*m_pos) ? controlWord() : controlSymbol();
}

std::string_view RtfTokenizer::takeBytes(std::int64_t count) {
    const auto n = std::clamp<std::int64_t>(count, 0, m_end - m_pos);
    const std::string_view bytes(m_pos, static_cast<std::size_t>(n));
    m_pos += n;
    return bytes;
}

RtfToken RtfTokenizer::controlWord() {
    RtfToken word = token(RtfToken::Kind::Word);
    const char* start = m_pos;
    while (m_pos < m_end && isLetter(*m_pos)) ++m_pos;
    word.word = std::string_view(start, static_cast<std::size_t>(m_pos - start));
    bool negative = false;
    if (m_pos + 1 < m_end && *m_pos == '-' && isDigit(m_pos[1])) {
        negative = true;
        ++m_pos;
    }
    std::int64_t value = 0;
    while (m_pos < m_end && isDigit(*m_pos)) {
        word.hasParam = true;
        value = std::min(value * 10 + (*m_pos - '0'), maxParam);
        ++m_pos;
    }
    word.param = static_cast<int>(negative ? -value : value);
    if (m_pos < m_end && *m_pos == ' ') ++m_pos;
    return word;
}

RtfToken RtfTokenizer::controlSymbol() {
    const char c = *m_pos++;
    if (c == '\r' || c == '\n') {
        if (c == '\r' && m_pos < m_end && *m_pos == '\n') ++m_pos;
        RtfToken par = token(RtfToken::Kind::Word);
        par.word = "par";
        return par;
    }
    if (c != '\'') {
        RtfToken symbol = token(RtfToken::Kind::Symbol);
        symbol.symbol = c;
        return symbol;
    }
    int value = 0;
    for (int i = 0; i < 2 && m_pos < m_end && hexValue(*m_pos) >= 0; ++i) value = value * 16 + hexValue(*m_pos++);
    RtfToken hex = token(RtfToken::Kind::HexByte);
    hex.byte = static_cast<std::uint8_t>(value);
    return hex;
}

RtfToken RtfTokenizer::text() {
    const char* start = m_pos;
    while (m_pos < m_end && !endsText(*m_pos)) ++m_pos;
    RtfToken run = token(RtfToken::Kind::Text);
    run.word = std::string_view(start, static_cast<std::size_t>(m_pos - start));
    return run;
}

}   // namespace veltrin::rtf
