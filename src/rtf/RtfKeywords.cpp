#include "rtf/RtfKeywords.h"

#include <QFont>

#include <cstdint>
#include <unordered_map>

namespace veltrin::rtf {

namespace {

struct KeywordEntry {
    std::string_view word;
    KeywordInfo info;
};

using K = Keyword;

constexpr KeywordEntry keywordTable[] = {
    {"fonttbl", {K::FontTable, 0}},
    {"colortbl", {K::ColorTable, 0}},
    {"pict", {K::Picture, 0}},
    // Text that belongs in the body although it sits in a group of its own.
    {"listtext", {K::BodyDestination, 0}},
    {"pntext", {K::BodyDestination, 0}},
    {"fldrslt", {K::BodyDestination, 0}},
    {"shppict", {K::BodyDestination, 0}},
    {"shprslt", {K::BodyDestination, 0}},
    {"result", {K::BodyDestination, 0}},
    {"field", {K::BodyDestination, 0}},
    {"upr", {K::BodyDestination, 0}},
    // Tables the view does not render, and text that is not part of the body.
    {"stylesheet", {K::SkippedDestination, 0}},
    {"info", {K::SkippedDestination, 0}},
    {"listtable", {K::SkippedDestination, 0}},
    {"listoverridetable", {K::SkippedDestination, 0}},
    {"rsidtbl", {K::SkippedDestination, 0}},
    {"generator", {K::SkippedDestination, 0}},
    {"xmlnstbl", {K::SkippedDestination, 0}},
    {"themedata", {K::SkippedDestination, 0}},
    {"colorschememapping", {K::SkippedDestination, 0}},
    {"latentstyles", {K::SkippedDestination, 0}},
    {"datastore", {K::SkippedDestination, 0}},
    {"filetbl", {K::SkippedDestination, 0}},
    {"revtbl", {K::SkippedDestination, 0}},
    {"pgdsctbl", {K::SkippedDestination, 0}},
    {"userprops", {K::SkippedDestination, 0}},
    {"docvar", {K::SkippedDestination, 0}},
    {"fchars", {K::SkippedDestination, 0}},
    {"lchars", {K::SkippedDestination, 0}},
    {"mmathPr", {K::SkippedDestination, 0}},
    {"defchp", {K::SkippedDestination, 0}},
    {"defpap", {K::SkippedDestination, 0}},
    {"pnseclvl", {K::SkippedDestination, 0}},
    {"pn", {K::SkippedDestination, 0}},
    {"ud", {K::SkippedDestination, 0}},
    {"fldinst", {K::SkippedDestination, 0}},
    {"nonshppict", {K::SkippedDestination, 0}},
    {"shpinst", {K::SkippedDestination, 0}},
    {"objdata", {K::SkippedDestination, 0}},
    {"header", {K::SkippedDestination, 0}},
    {"headerl", {K::SkippedDestination, 0}},
    {"headerr", {K::SkippedDestination, 0}},
    {"headerf", {K::SkippedDestination, 0}},
    {"footer", {K::SkippedDestination, 0}},
    {"footerl", {K::SkippedDestination, 0}},
    {"footerr", {K::SkippedDestination, 0}},
    {"footerf", {K::SkippedDestination, 0}},
    {"footnote", {K::SkippedDestination, 0}},
    {"annotation", {K::SkippedDestination, 0}},
    {"atnid", {K::SkippedDestination, 0}},
    {"atnauthor", {K::SkippedDestination, 0}},
    {"comment", {K::SkippedDestination, 0}},
    {"xe", {K::SkippedDestination, 0}},
    {"tc", {K::SkippedDestination, 0}},
    {"txe", {K::SkippedDestination, 0}},
    {"template", {K::SkippedDestination, 0}},
    {"private", {K::SkippedDestination, 0}},
    {"bkmkstart", {K::SkippedDestination, 0}},
    {"bkmkend", {K::SkippedDestination, 0}},

    {"b", {K::Bold, 0}},
    {"i", {K::Italic, 0}},
    {"ul", {K::Underline, 0}},
    {"uld", {K::Underline, 0}},
    {"uldb", {K::Underline, 0}},
    {"uldash", {K::Underline, 0}},
    {"ulth", {K::Underline, 0}},
    {"ulw", {K::Underline, 0}},
    {"ulwave", {K::Underline, 0}},
    {"ulnone", {K::UnderlineNone, 0}},
    {"strike", {K::Strike, 0}},
    {"striked", {K::Strike, 0}},
    {"plain", {K::Plain, 0}},
    {"fs", {K::FontSize, 0}},
    {"f", {K::Font, 0}},
    {"cf", {K::ForeColor, 0}},
    {"highlight", {K::BackColor, 0}},
    {"cb", {K::BackColor, 0}},
    {"chcbpat", {K::BackColor, 0}},

    {"pard", {K::ParagraphDefaults, 0}},
    {"ql", {K::AlignLeft, 0}},
    {"qc", {K::AlignCenter, 0}},
    {"qr", {K::AlignRight, 0}},
    {"qj", {K::AlignJustify, 0}},
    {"li", {K::LeftIndent, 0}},
    {"ri", {K::RightIndent, 0}},
    {"fi", {K::FirstIndent, 0}},
    {"sb", {K::SpaceBefore, 0}},
    {"sa", {K::SpaceAfter, 0}},

    {"par", {K::ParagraphBreak, 0}},
    {"page", {K::ParagraphBreak, 0}},
    {"sect", {K::ParagraphBreak, 0}},
    {"cell", {K::CellEnd, 0}},
    {"nestcell", {K::CellEnd, 0}},
    {"row", {K::RowEnd, 0}},
    {"nestrow", {K::RowEnd, 0}},
    {"line", {K::Character, 0x2028}},
    {"tab", {K::Character, u'\t'}},
    {"emdash", {K::Character, 0x2014}},
    {"endash", {K::Character, 0x2013}},
    {"emspace", {K::Character, 0x2003}},
    {"enspace", {K::Character, 0x2002}},
    {"qmspace", {K::Character, 0x2005}},
    {"bullet", {K::Character, 0x2022}},
    {"lquote", {K::Character, 0x2018}},
    {"rquote", {K::Character, 0x2019}},
    {"ldblquote", {K::Character, 0x201C}},
    {"rdblquote", {K::Character, 0x201D}},
    {"zwj", {K::Character, 0x200D}},
    {"zwnj", {K::Character, 0x200C}},
    {"ltrmark", {K::Character, 0x200E}},
    {"rtlmark", {K::Character, 0x200F}},

    {"ansi", {K::Ansi, 0}},
    {"mac", {K::Mac, 0}},
    {"pc", {K::Pc, 0}},
    {"pca", {K::Pca, 0}},
    {"ansicpg", {K::AnsiCodePage, 0}},
    {"deff", {K::DefaultFont, 0}},
    {"uc", {K::UnicodeSkip, 0}},
    {"u", {K::Unicode, 0}},
    {"bin", {K::Binary, 0}},

    {"fnil", {K::FontFamily, QFont::AnyStyle}},
    {"froman", {K::FontFamily, QFont::Serif}},
    {"fswiss", {K::FontFamily, QFont::SansSerif}},
    {"fmodern", {K::FontFamily, QFont::TypeWriter}},
    {"fscript", {K::FontFamily, QFont::Cursive}},
    {"fdecor", {K::FontFamily, QFont::Decorative}},
    {"ftech", {K::FontFamily, QFont::AnyStyle}},
    {"fbidi", {K::FontFamily, QFont::AnyStyle}},
    {"fcharset", {K::FontCharset, 0}},
    {"cpg", {K::FontCodePage, 0}},

    {"red", {K::Red, 0}},
    {"green", {K::Green, 0}},
    {"blue", {K::Blue, 0}},

    {"pngblip", {K::PngBlip, 0}},
    {"jpegblip", {K::JpegBlip, 0}},
    {"emfblip", {K::OtherBlip, 0}},
    {"wmetafile", {K::OtherBlip, 0}},
    {"macpict", {K::OtherBlip, 0}},
    {"pmmetafile", {K::OtherBlip, 0}},
    {"dibitmap", {K::OtherBlip, 0}},
    {"wbitmap", {K::OtherBlip, 0}},
    {"picw", {K::PictureWidth, 0}},
    {"pich", {K::PictureHeight, 0}},
    {"picwgoal", {K::PictureGoalWidth, 0}},
    {"pichgoal", {K::PictureGoalHeight, 0}},
    {"picscalex", {K::PictureScaleX, 0}},
    {"picscaley", {K::PictureScaleY, 0}},
};

// Control words are short; FNV-1a over them is quicker than the library's general hash.
struct WordHash {
    std::size_t operator()(std::string_view word) const {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        return static_cast<std::size_t>(hash);
    }
};

}   // namespace

const KeywordInfo* findKeyword(std::string_view word) {
    static const auto index = [] {
        std::unordered_map<std::string_view, const KeywordInfo*, WordHash> map;
        for (const auto& entry : keywordTable) map.emplace(entry.word, &entry.info);
        return map;
    }();
    const auto it = index.find(word);
    return it == index.end() ? nullptr : it->second;
}

}   // namespace veltrin::rtf
