#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <optional>
#include <string_view>

namespace veltrin::rtf {

// A \pict group as it is read: its kind, its declared sizes and its data.
struct RtfPicture {
    enum class Kind { Unknown, Png, Jpeg, Unsupported };
    Kind kind = Kind::Unknown;
    int width = 0;   // \picw, pixels for PNG and JPEG
    int height = 0;
    int goalWidth = 0;   // \picwgoal, twips
    int goalHeight = 0;
    int scaleX = 100;   // percent
    int scaleY = 100;
    QByteArray data;

    void appendHex(std::string_view text);
    void appendBinary(std::string_view bytes) { data.append(bytes.data(), static_cast<qsizetype>(bytes.size())); }

private:
    int m_highNibble = -1;
};

struct DecodedPicture {
    QImage image;
    QSizeF size;   // pixels on screen
};

// Decodes PNG and JPEG pictures whose pixel count stays within reason; other kinds, broken data and
// oversized pictures give nothing.
std::optional<DecodedPicture> decodePicture(const RtfPicture& picture);

}   // namespace veltrin::rtf
