#pragma once

#include <QString>
#include <QStringDecoder>

#include <memory>
#include <string_view>

namespace veltrin::rtf {

// Windows code page of a font's \fcharset, 0 when the charset names none (use the document's).
int codePageOfCharset(int charset);

// Decodes the 8-bit text of an RTF document. Windows-1252 is built in, since Qt's own converters
// lack it; other pages go through the system's converters when Qt knows them, else Windows-1252.
// Multi-byte pages work when a character's bytes arrive in one call.
class CodePageDecoder {
public:
    void setCodePage(int codePage);
    int codePage() const { return m_codePage; }
    void appendDecoded(std::string_view bytes, QString& out);

private:
    int m_codePage = 1252;
    std::unique_ptr<QStringDecoder> m_decoder;   // null for Windows-1252
};

// Symbol fonts draw bullets at byte positions of their own, and Unicode text reaches them through
// the private-use page U+F000; both give the Unicode character that looks alike, or 0.
char16_t symbolFontCharacter(char16_t code);

}   // namespace veltrin::rtf
