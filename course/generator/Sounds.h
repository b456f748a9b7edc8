// The course's sounds, synthesised and written as 16-bit PCM mono WAV at 22050 Hz.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

namespace veltrin::course {

inline constexpr int sampleRate = 22050;

enum class Voice { Bell, Soft, Pluck, Brass, Click, WhooshUp, WhooshDown };

struct Tone {
    Voice voice;
    double frequency;   // Hz; for whooshes the centre of the sweep
    double start;       // seconds
    double length;      // seconds
    double level;       // 0 .. 1
};

struct SoundSpec {
    QString name;
    double length;   // seconds
    QList<Tone> tones;
};

// Every sound of the course, in one table.
QList<SoundSpec> soundSpecs();

// Mixes the tones into samples in [-1, 1], normalised to a comfortable peak.
std::vector<double> synthesise(const SoundSpec& spec);

// A complete RIFF/WAVE file: PCM, mono, 16 bits, sampleRate.
QByteArray wavFile(const std::vector<double>& samples);

}   // namespace veltrin::course
