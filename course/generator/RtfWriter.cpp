#include "RtfWriter.h"

namespace veltrin::course {

namespace {

// Windows-1252 code points 0x80..0x9F that typography uses; 0xA0..0xFF equal Latin-1.
struct Cp1252Extra {
    char16_t unicode;
    unsigned char code;
};
constexpr Cp1252Extra cp1252Extras[] = {
    {u'\u20AC', 0x80}, {u'\u2026', 0x85}, {u'\u2018', 0x91}, {u'\u2019', 0x92}, {u'\u201C', 0x93},
    {u'\u201D', 0x94}, {u'\u2022', 0x95}, {u'\u2013', 0x96}, {u'\u2014', 0x97}, {u'\u2122', 0x99},
};

int cp1252Code(QChar c) {
    if (c.unicode() >= 0xA0 && c.unicode() <= 0xFF) return c.unicode();
    for (const auto& extra : cp1252Extras) {
        if (extra.unicode == c.unicode()) return extra.code;
    }
    return -1;
}

QByteArray hexEscape(int code) { return "\\'" + QByteArray::number(code, 16).rightJustified(2, '0'); }

QByteArray runRtf(const Run& run) {
    QByteArray out;
    if (run.bold) out += "\\b ";
    if (run.italic) out += "\\i ";
    out += escapeRtf(run.text);
    if (run.italic) out += "\\i0 ";
    if (run.bold) out += "\\b0 ";
    return out;
}

QByteArray runsRtf(const QList<Run>& runs) {
    QByteArray out;
    for (const Run& run : runs) out += runRtf(run);
    return out;
}

QByteArray size(int halfPoints) { return "\\fs" + QByteArray::number(halfPoints); }

QByteArray blockRtf(const Block& block, const TextStyle& style) {
    const QByteArray body = size(style.bodySize);
    const QByteArray pard = style.blockSpace > 0 ? "\\pard\\sa" + QByteArray::number(style.blockSpace) : QByteArray("\\pard");
    switch (block.kind) {
    case BlockKind::Title:
        return pard + "\\qc\\cf1\\b" + size(style.titleSize) + " " + runsRtf(block.runs) + "\\b0\\cf0" + body + "\\par\r\n";
    case BlockKind::Heading:
        return pard + "\\cf2\\b" + size(style.headingSize) + " " + runsRtf(block.runs) + "\\b0\\cf0" + body + "\\par\r\n";
    case BlockKind::Bullet:
        return pard + "\\li" + QByteArray::number(style.bulletIndent) + "\\fi-" + QByteArray::number(style.bulletIndent / 2) + " \\'95 " +
               runsRtf(block.runs) + "\\par\r\n";
    case BlockKind::Paragraph: break;
    }
    return pard + " " + runsRtf(block.runs) + "\\par\r\n";
}

QByteArray header(const TextStyle& style) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 " + escapeRtf(style.family) +
           ";}}\r\n"
           "{\\colortbl ;\\red110\\green52\\blue14;\\red24\\green64\\blue96;}\r\n"
           "\\viewkind4\\uc1\\pard\\f0" +
           size(style.bodySize) + "\r\n";
}

}   // namespace

QByteArray escapeRtf(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x80) {
            out += char(u);
        } else if (const int code = cp1252Code(c); code >= 0) {
            out += hexEscape(code);
        } else {
            out += "\\u" + QByteArray::number(qint16(u)) + "?";
        }
    }
    return out;
}

QByteArray toRtf(const QList<Block>& blocks, const TextStyle& style) {
    QByteArray out = header(style);
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        if (i > 0 && style.blockSpace == 0) out += "\\pard\\par\r\n";
        out += blockRtf(blocks[i], style);
    }
    return out + "}\r\n";
}

}   // namespace veltrin::course
