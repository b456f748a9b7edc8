#include "rtf/RtfPicture.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace veltrin::rtf {

namespace {

// Large enough for any picture a document shows, small enough that decoding cannot exhaust memory.
constexpr qint64 maxPixels = 4096LL * 4096LL;
constexpr int maxSide = 16384;
constexpr double maxShownSide = 8192.0;
constexpr double twipsPerPixel = 15.0;

int nibble(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QSizeF shownSize(const RtfPicture& picture, QSize pixels) {
    QSizeF size(pixels);
    if (picture.goalWidth > 0 && picture.goalHeight > 0)
        size = QSizeF(picture.goalWidth / twipsPerPixel, picture.goalHeight / twipsPerPixel);
    if (picture.scaleX > 0) size.setWidth(size.width() * picture.scaleX / 100.0);
    if (picture.scaleY > 0) size.setHeight(size.height() * picture.scaleY / 100.0);
    return {std::clamp(size.width(), 1.0, maxShownSide), std::clamp(size.height(), 1.0, maxShownSide)};
}

}   // namespace

void RtfPicture::appendHex(std::string_view text) {
    for (const char c : text) {
        const int value = nibble(c);
        if (value < 0) continue;
        if (m_highNibble < 0) {
            m_highNibble = value;
        } else {
            data.append(static_cast<char>(m_highNibble * 16 + value));
            m_highNibble = -1;
        }
    }
}

std::optional<DecodedPicture> decodePicture(const RtfPicture& picture) {
    if (picture.kind != RtfPicture::Kind::Png && picture.kind != RtfPicture::Kind::Jpeg) return std::nullopt;
    QBuffer buffer;
    buffer.setData(picture.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, picture.kind == RtfPicture::Kind::Png ? "png" : "jpeg");
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.width() > maxSide || declared.height() > maxSide ||
        qint64(declared.width()) * declared.height() > maxPixels)
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return DecodedPicture{image, shownSize(picture, image.size())};
}

}   // namespace veltrin::rtf
