#include "ui/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace veltrin::ui {

namespace {

constexpr quint16 PcmFormatTag = 1;
constexpr qsizetype ChunkHeaderBytes = 8;
constexpr qsizetype FmtBytes = 16;

quint16 word(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }
quint32 dword(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }

std::optional<QAudioFormat::SampleFormat> sampleFormat(quint16 bits) {
    switch (bits) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 32: return QAudioFormat::Int32;
    default: return std::nullopt;
    }
}

// The "fmt " chunk's body: format tag, channels, rate, byte rate, block align, bits per sample.
std::optional<QAudioFormat> readFormat(const QByteArray& file, qsizetype at, quint32 size) {
    if (size < FmtBytes || word(file, at) != PcmFormatTag) return std::nullopt;
    const quint16 channels = word(file, at + 2);
    const quint32 rate = dword(file, at + 4);
    const auto sample = sampleFormat(word(file, at + 14));
    if (channels < 1 || channels > 2 || rate < 1000 || rate > 192000 || !sample) return std::nullopt;
    QAudioFormat format;
    format.setChannelCount(channels);
    format.setSampleRate(int(rate));
    format.setSampleFormat(*sample);
    return format;
}

}   // namespace

std::optional<WaveSound> parseWave(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return std::nullopt;
    std::optional<QAudioFormat> format;
    for (qsizetype at = 12; at + ChunkHeaderBytes <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = dword(file, at + 4);
        const qsizetype body = at + ChunkHeaderBytes;
        if (size > quint32(file.size() - body)) return std::nullopt;   // a chunk cut off by the file's end
        if (id == "fmt ") format = readFormat(file, body, size);
        if (id == "data") {
            if (!format) return std::nullopt;   // no format, or one that is not plain PCM
            const qsizetype whole = size - size % quint32(format->bytesPerFrame());
            return WaveSound{*format, file.mid(body, whole)};
        }
        at = body + size + (size & 1);   // chunks are padded to an even length
    }
    return std::nullopt;
}

std::optional<WaveSound> readWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return parseWave(file.readAll());
}

}   // namespace veltrin::ui
