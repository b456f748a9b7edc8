#pragma once

#include <QByteArray>

#include <cstdint>
#include <string_view>

namespace veltrin::rtf {

struct RtfToken {
    enum class Kind { End, GroupStart, GroupEnd, Word, Symbol, HexByte, Text };
    Kind kind = Kind::End;
    std::string_view word;   // control word name, or the bytes of a Text run
    int param = 0;
    bool hasParam = false;
    char symbol = 0;         // control symbol character
    std::uint8_t byte = 0;   // value of \'hh
};

// Splits RTF into tokens without copying. Line ends outside control words carry no meaning in RTF
// and never reach the caller; a backslash before a line end reads as \par.
class RtfTokenizer {
public:
    explicit RtfTokenizer(const QByteArray& data);

    RtfToken next();
    // Consumes up to count raw bytes (the data of \bin) and returns them.
    std::string_view takeBytes(std::int64_t count);

private:
    RtfToken controlWord();
    RtfToken controlSymbol();
    RtfToken text();

    const char* m_pos;
    const char* m_end;
};

}   // namespace veltrin::rtf
