#pragma once

#include <cstdint>
#include <string_view>

namespace veltrin::rtf {

// What a control word does to the reader.
enum class Keyword : std::uint8_t {
    // Destinations: the group's content goes to a table, a picture, the body, or nowhere.
    FontTable,
    ColorTable,
    Picture,
    BodyDestination,
    SkippedDestination,
    // Character formatting
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Plain,
    FontSize,
    Font,
    ForeColor,
    BackColor,
    // Paragraph formatting
    ParagraphDefaults,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    // Breaks and characters
    ParagraphBreak,
    CellEnd,
    RowEnd,
    Character,
    // Encoding
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Binary,
    // Font table entries
    FontFamily,
    FontCharset,
    FontCodePage,
    // Colour table entries
    Red,
    Green,
    Blue,
    // Picture properties
    PngBlip,
    JpegBlip,
    OtherBlip,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
};

struct KeywordInfo {
    Keyword keyword;
    char16_t value;   // the character of Keyword::Character, the style hint of Keyword::FontFamily
};

// The meaning of a control word, or null for a word the reader ignores.
const KeywordInfo* findKeyword(std::string_view word);

}   // namespace veltrin::rtf
