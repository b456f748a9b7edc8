#pragma once
// A wave file read whole into memory: its PCM samples and the format to play them in.
#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <optional>

namespace veltrin::ui {

struct WaveSound {
    QAudioFormat format;
    QByteArray samples;

    qint64 durationMs() const { return format.durationForBytes(qint32(samples.size())) / 1000; }
};

// Reads a RIFF/WAVE file of uncompressed PCM (8, 16 or 32 bits, one or two channels). A missing,
// unreadable, truncated or compressed file gives nothing: a sound that cannot be played stays silent.
std::optional<WaveSound> readWaveFile(const QString& path);
// The same for the bytes of a whole file.
std::optional<WaveSound> parseWave(const QByteArray& file);

}   // namespace veltrin::ui
