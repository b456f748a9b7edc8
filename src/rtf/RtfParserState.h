#pragma once
// The RTF parser's working state, shared by the files that implement it; private to the reader.
#include "rtf/RtfCodePage.h"
#include "rtf/RtfKeywords.h"
#include "rtf/RtfPicture.h"
#include "rtf/RtfStyle.h"
#include "rtf/RtfTokenizer.h"

#include <QByteArray>
#include <string>
#include <vector>

namespace veltrin::rtf::detail {

enum class Destination { Body, Skipped, FontTable, ColorTable, Picture };

struct GroupState {
    Destination destination = Destination::Body;
    CharStyle chars;
    ParaStyle para;
    int unicodeSkip = 1;
};

// Groups nested deeper than this share the state of the deepest one, so hostile nesting costs
// neither stack nor memory.
constexpr std::size_t maxDepth = 256;
constexpr int symbolCharset = 2;
// A length or size beyond this is nonsense; clamping keeps later arithmetic in range.
constexpr int maxTwips = 1'000'000;

class RtfParser {
public:
    RtfParser(const QByteArray& rtf, DocumentTables& tables, RtfSink& sink)
        : m_tokenizer(rtf), m_tables(tables), m_sink(sink), m_stack(1) {}

    void run();

private:
    GroupState& state() { return m_stack.back(); }
    bool handle(const RtfToken& token);
    bool skipToken(const RtfToken& token);
    void openGroup();
    bool closeGroup();
    void text(std::string_view bytes);
    void hexByte(std::uint8_t byte);
    void flushBytes();
    void insertCharacter(char16_t c);
    void controlSymbol(char symbol);
    void controlWord(const RtfToken& token);
    void destinationWord(const KeywordInfo& info);
    void formattingWord(const KeywordInfo& info, const RtfToken& token);
    bool documentWord(const KeywordInfo& info, const RtfToken& token);
    bool tableWord(const KeywordInfo& info, const RtfToken& token);
    bool pictureWord(const KeywordInfo& info, const RtfToken& token);
    void commitFont();
    void commitColor();
    void finishPicture();
    int textCodePage() const;

    RtfTokenizer m_tokenizer;
    DocumentTables& m_tables;
    RtfSink& m_sink;
    std::vector<GroupState> m_stack;
    std::size_t m_extraDepth = 0;   // groups opened beyond maxDepth, or inside a skipped group
    bool m_starPending = false;
    int m_skipCount = 0;   // characters after \u still to drop
    int m_documentCodePage = 1252;
    CodePageDecoder m_decoder;
    std::string m_bytes;   // 8-bit text not yet decoded, so multi-byte characters stay whole

    int m_fontId = -1;
    QByteArray m_fontName;
    FontEntry m_font;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    RtfPicture m_picture;
};

}   // namespace veltrin::rtf::detail
