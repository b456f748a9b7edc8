#include "Sounds.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace veltrin::course {

namespace {

constexpr double twoPi = 2 * M_PI;

// Peak of every sound: loud enough to hear, soft enough not to startle.
constexpr double peakLevel = 0.55;

double partials(double t, double f, std::initializer_list<std::pair<double, double>> ratioAndDecay) {
    double sum = 0;
    double weight = 1;
    for (const auto& [ratio, decay] : ratioAndDecay) {
        sum += weight * std::sin(twoPi * f * ratio * t) * std::exp(-t * decay);
        weight *= 0.5;
    }
    return sum;
}

double attack(double t, double seconds) { return t < seconds ? t / seconds : 1.0; }

double release(double t, double length, double seconds) {
    const double left = length - t;
    return left < seconds ? std::max(left, 0.0) / seconds : 1.0;
}

// Repeatable white noise.
double whiteNoise(quint32& state) {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 23) - 1.0;
}

double voiceSample(const Tone& tone, double t) {
    const double f = tone.frequency;
    switch (tone.voice) {
    case Voice::Bell: return partials(t, f, {{1, 3.5}, {2.76, 6}, {5.4, 9}, {8.9, 14}}) * attack(t, 0.004);
    case Voice::Soft: return partials(t, f, {{1, 4}, {2, 8}}) * attack(t, 0.02) * release(t, tone.length, 0.05);
    case Voice::Pluck: return partials(t, f, {{1, 12}, {2, 18}, {3, 26}}) * attack(t, 0.002);
    case Voice::Brass: {
        double sum = 0;
        for (int h = 1; h <= 6; ++h) sum += std::sin(twoPi * f * h * t) / h * (h == 1 ? 1.0 : 0.8);
        const double vibrato = 1 + 0.05 * std::sin(twoPi * 5.5 * t) * std::min(t * 4, 1.0);
        return 0.6 * sum * vibrato * attack(t, 0.03) * release(t, tone.length, 0.08);
    }
    case Voice::Click: return std::sin(twoPi * f * t) * std::exp(-t * 90);
    case Voice::WhooshUp:
    case Voice::WhooshDown: return 0;   // filtered noise, mixed separately
    }
    return 0;
}

// Noise through a resonant band-pass whose centre sweeps up or down across the tone.
void addWhoosh(std::vector<double>& out, const Tone& tone) {
    quint32 state = 12345u + quint32(tone.frequency);
    double low = 0;
    double band = 0;
    const int first = int(tone.start * sampleRate);
    const int count = int(tone.length * sampleRate);
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const double progress = double(i) / count;
        const double sweep = tone.voice == Voice::WhooshUp ? progress : 1 - progress;
        const double centre = tone.frequency * (0.4 + 1.6 * sweep);
        const double coefficient = 2 * std::sin(M_PI * centre / sampleRate);
        const double high = whiteNoise(state) - low - 0.35 * band;
        band += coefficient * high;
        low += coefficient * band;
        const double envelope = std::sin(M_PI * progress);
        out[first + i] += tone.level * band * envelope * envelope;
    }
}

void addTone(std::vector<double>& out, const Tone& tone) {
    if (tone.voice == Voice::WhooshUp || tone.voice == Voice::WhooshDown) {
        addWhoosh(out, tone);
        return;
    }
    const int first = int(tone.start * sampleRate);
    const int count = int(tone.length * sampleRate);
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const double t = double(i) / sampleRate;
        out[first + i] += tone.level * voiceSample(tone, t) * release(t, tone.length, 0.01);
    }
}

void putLittleEndian16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void putLittleEndian32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// Notes of the equal-tempered scale used below.
constexpr double C4 = 261.63, E4 = 329.63, G4 = 392.00, A4 = 440.00, C5 = 523.25, D5 = 587.33, E5 = 659.25, F5 = 698.46, G5 = 783.99,
                 B5 = 987.77, C6 = 1046.5, E6 = 1318.5, G6 = 1568.0;

}   // namespace

QList<SoundSpec> soundSpecs() {
    using V = Voice;
    return {
        {QStringLiteral("torch-on"), 0.7, {{V::WhooshUp, 900, 0, 0.6, 1.0}, {V::Bell, G5, 0.35, 0.35, 0.25}}},
        {QStringLiteral("torch-off"), 0.6, {{V::WhooshDown, 900, 0, 0.6, 1.0}}},
        {QStringLiteral("speak"), 0.5, {{V::Soft, E5, 0, 0.18, 0.7}, {V::Soft, G5, 0.14, 0.3, 0.7}}},
        {QStringLiteral("resetyn"), 0.55, {{V::Bell, A4, 0, 0.5, 0.8}, {V::Bell, E5, 0.12, 0.43, 0.6}}},
        {QStringLiteral("resety"), 0.45, {{V::Pluck, C5, 0, 0.2, 0.8}, {V::Pluck, G5, 0.12, 0.33, 0.8}}},
        {QStringLiteral("resetn"), 0.45, {{V::Pluck, G4, 0, 0.2, 0.8}, {V::Pluck, C4, 0.12, 0.33, 0.9}}},
        {QStringLiteral("stuffin"), 0.3, {{V::Click, 2400, 0, 0.06, 0.6}, {V::Soft, C6, 0.04, 0.25, 0.4}}},
        {QStringLiteral("stuffout"), 0.3, {{V::Soft, G5, 0, 0.22, 0.4}, {V::Click, 1800, 0.18, 0.06, 0.6}}},
        {QStringLiteral("scopn"), 0.6, {{V::WhooshUp, 2200, 0, 0.35, 0.5}, {V::Bell, C6, 0.2, 0.4, 0.35}}},
        {QStringLiteral("scclo"), 0.5, {{V::WhooshDown, 2200, 0, 0.35, 0.5}, {V::Pluck, G4, 0.25, 0.25, 0.6}}},
        {QStringLiteral("opnjnl"), 0.6, {{V::Pluck, C5, 0, 0.3, 0.7}, {V::Pluck, E5, 0.08, 0.3, 0.7}, {V::Pluck, G5, 0.16, 0.44, 0.7}}},
        {QStringLiteral("closjnl"), 0.6, {{V::Pluck, G5, 0, 0.3, 0.7}, {V::Pluck, E5, 0.08, 0.3, 0.7}, {V::Pluck, C5, 0.16, 0.44, 0.7}}},
        {QStringLiteral("viewjnl"), 0.5, {{V::Soft, A4, 0, 0.25, 0.6}, {V::Soft, D5, 0.15, 0.35, 0.6}}},
        {QStringLiteral("xitjnl"), 0.5, {{V::Soft, D5, 0, 0.25, 0.6}, {V::Soft, A4, 0.15, 0.35, 0.6}}},
        {QStringLiteral("addrec"), 0.8, {{V::Bell, E5, 0, 0.8, 0.6}, {V::Bell, B5, 0.1, 0.7, 0.4}}},
        {QStringLiteral("open0"), 0.5, {{V::Click, 1200, 0, 0.05, 0.7}, {V::Bell, C5, 0.03, 0.47, 0.5}}},
        {QStringLiteral("open1"), 0.5, {{V::Click, 1500, 0, 0.05, 0.7}, {V::Bell, F5, 0.03, 0.47, 0.5}}},
        {QStringLiteral("scroll-on"), 0.15, {{V::Click, 2600, 0, 0.08, 0.8}, {V::Click, 3400, 0.05, 0.1, 0.5}}},
        {QStringLiteral("scroll-off"), 0.15, {{V::Click, 3400, 0, 0.08, 0.8}, {V::Click, 2200, 0.05, 0.1, 0.5}}},
        {QStringLiteral("Scroll-off"), 0.18, {{V::Click, 3000, 0, 0.08, 0.8}, {V::Click, 1900, 0.06, 0.12, 0.6}}},
        {QStringLiteral("award1"),
         1.2,
         {{V::Brass, C5, 0, 0.2, 0.5}, {V::Brass, E5, 0.2, 0.2, 0.5}, {V::Brass, G5, 0.4, 0.8, 0.55}, {V::Bell, C6, 0.4, 0.8, 0.3}}},
        {QStringLiteral("operative"),
         1.1,
         {{V::Brass, G4, 0, 0.16, 0.5}, {V::Brass, C5, 0.16, 0.16, 0.5}, {V::Brass, E5, 0.32, 0.16, 0.5}, {V::Brass, G5, 0.48, 0.6, 0.55}}},
        {QStringLiteral("commander"),
         1.2,
         {{V::Brass, C5, 0, 0.14, 0.5},
          {V::Brass, C5, 0.16, 0.14, 0.5},
          {V::Brass, G5, 0.32, 0.2, 0.55},
          {V::Brass, E5, 0.52, 0.14, 0.5},
          {V::Brass, C6, 0.66, 0.54, 0.55}}},
        {QStringLiteral("finish"),
         1.2,
         {{V::Brass, C5, 0, 1.2, 0.35},
          {V::Brass, E5, 0.1, 1.1, 0.35},
          {V::Brass, G5, 0.2, 1.0, 0.35},
          {V::Bell, E6, 0.4, 0.8, 0.3},
          {V::Bell, G6, 0.55, 0.65, 0.25}}},
        {QStringLiteral("run"), 1.0, {{V::Bell, C5, 0, 1.0, 0.5}, {V::Bell, G5, 0.15, 0.85, 0.4}, {V::Bell, E6, 0.3, 0.7, 0.3}}},
        {QStringLiteral("exit"), 0.9, {{V::Bell, E6, 0, 0.9, 0.3}, {V::Bell, G5, 0.15, 0.75, 0.4}, {V::Bell, C5, 0.3, 0.6, 0.5}}},
    };
}

std::vector<double> synthesise(const SoundSpec& spec) {
    std::vector<double> samples(size_t(std::ceil(spec.length * sampleRate)), 0.0);
    for (const Tone& tone : spec.tones) addTone(samples, tone);
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    if (peak > 0) {
        for (double& s : samples) s *= peakLevel / peak;
    }
    return samples;
}

QByteArray wavFile(const std::vector<double>& samples) {
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out("RIFF");
    putLittleEndian32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    putLittleEndian32(out, 16);
    putLittleEndian16(out, 1);   // PCM
    putLittleEndian16(out, 1);   // mono
    putLittleEndian32(out, sampleRate);
    putLittleEndian32(out, sampleRate * 2);
    putLittleEndian16(out, 2);
    putLittleEndian16(out, 16);
    out += "data";
    putLittleEndian32(out, dataBytes);
    for (double s : samples) putLittleEndian16(out, quint16(qint16(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
    return out;
}

}   // namespace veltrin::course
