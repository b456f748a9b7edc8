#include "rtf/RtfCodePage.h"

#include <array>
#include <utility>

namespace veltrin::rtf {

namespace {

// The bytes where Windows-1252 differs from Latin-1; 0 marks the five unassigned ones, which
// Windows maps to the C1 control of the same value.
constexpr std::array<char16_t, 32> cp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                                 0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct CharsetPage {
    int charset;
    int codePage;
};

constexpr std::array<CharsetPage, 16> charsetPages = {{{77, 10000},
                                                       {128, 932},
                                                       {129, 949},
                                                       {130, 1361},
                                                       {134, 936},
                                                       {136, 950},
                                                       {161, 1253},
                                                       {162, 1254},
                                                       {163, 1258},
                                                       {177, 1255},
                                                       {178, 1256},
                                                       {186, 1257},
                                                       {204, 1251},
                                                       {222, 874},
                                                       {238, 1250},
                                                       {255, 437}}};

struct PageName {
    int codePage;
    const char* name;
};

constexpr std::array<PageName, 8> namedPages = {{{437, "IBM437"},
                                                 {850, "IBM850"},
                                                 {932, "Shift_JIS"},
                                                 {936, "GBK"},
                                                 {949, "windows-949"},
                                                 {950, "Big5"},
                                                 {10000, "macintosh"},
                                                 {1361, "windows-1361"}}};

QByteArray converterName(int codePage) {
    for (const auto& page : namedPages)
        if (page.codePage == codePage) return page.name;
    return "windows-" + QByteArray::number(codePage);
}

struct SymbolBullet {
    char16_t code;
    char16_t unicode;
};

constexpr std::array<SymbolBullet, 8> symbolBullets = {
    {{0x6F, 0x25A1}, {0x71, 0x25C6}, {0x76, 0x2756}, {0xA7, 0x25AA}, {0xA8, 0x25FB}, {0xB7, 0x2022}, {0xD8, 0x27A2}, {0xFC, 0x2714}}};

}   // namespace

int codePageOfCharset(int charset) {
    for (const auto& entry : charsetPages)
        if (entry.charset == charset) return entry.codePage;
    return 0;
}

void CodePageDecoder::setCodePage(int codePage) {
    if (codePage == m_codePage) return;
    m_codePage = codePage;
    m_decoder.reset();
    if (codePage == 1252) return;
    auto decoder = std::make_unique<QStringDecoder>(converterName(codePage).constData(), QStringConverter::Flag::Stateless);
    if (decoder->isValid()) m_decoder = std::move(decoder);
}

void CodePageDecoder::appendDecoded(std::string_view bytes, QString& out) {
    if (m_decoder) {
        out += m_decoder->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(bytes.size()));
    QChar* target = out.data() + start;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t high = byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : 0;
        *target++ = QChar(high ? high : char16_t(byte));
    }
}

char16_t symbolFontCharacter(char16_t code) {
    const char16_t low = code >= 0xF000 && code <= 0xF0FF ? char16_t(code - 0xF000) : code;
    for (const auto& bullet : symbolBullets)
        if (bullet.code == low) return bullet.unicode;
    return 0;
}

}   // namespace veltrin::rtf
