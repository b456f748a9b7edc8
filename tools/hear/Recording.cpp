#include "hear/Recording.h"

#include "ui/WaveFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace veltrin::hear {

namespace {

using Complex = std::complex<double>;

constexpr double OpeningSeconds = 0.25;
constexpr double LeastMatch = 0.7;
// A weaker match inside a sound heard better is an echo of that sound's own notes (the bells of
// "run" and "exit" share theirs), unless it matches nearly as well: then a new sound cut it off.
constexpr double EchoMargin = 0.05;
// A stretch of the recording that matches the sound this well is that stretch of the sound, heard.
constexpr double FollowingMatch = 0.8;
// Below this mean square a stretch of the recording is silence and matches nothing.
constexpr double SilentPower = (60.0 / 32768) * (60.0 / 32768);

void fft(std::vector<Complex>& a, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = 2 * std::numbers::pi / double(length) * (inverse ? 1 : -1);
        const Complex step(std::cos(angle), std::sin(angle));
        for (std::size_t start = 0; start < n; start += length) {
            Complex w(1);
            for (std::size_t k = 0; k < length / 2; ++k, w *= step) {
                const Complex even = a[start + k];
                const Complex odd = a[start + k + length / 2] * w;
                a[start + k] = even + odd;
                a[start + k + length / 2] = even - odd;
            }
        }
    }
    if (inverse)
        for (Complex& value : a) value /= double(n);
}

std::vector<Complex> spectrum(const std::vector<double>& samples, std::size_t size) {
    std::vector<Complex> values(size);
    std::copy(samples.begin(), samples.end(), values.begin());
    fft(values, false);
    return values;
}

std::vector<double> samplesOf(const QByteArray& bytes) {
    std::vector<double> samples(std::size_t(bytes.size() / 2));
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i) / 32768.0;
    return samples;
}

// Sums of squares of every stretch of `length` samples, by starting sample.
std::vector<double> stretchPowers(const std::vector<double>& x, std::size_t length) {
    std::vector<double> sums(x.size() + 1, 0.0);
    for (std::size_t i = 0; i < x.size(); ++i) sums[i + 1] = sums[i] + x[i] * x[i];
    std::vector<double> powers(x.size() - length + 1);
    for (std::size_t k = 0; k < powers.size(); ++k) powers[k] = sums[k + length] - sums[k];
    return powers;
}

// How long the recording follows a sound from its first sample there: 50 ms stretches that match
// the sound's own, up to the first that does not (the sound cut off, or the program gone).
double followedSeconds(const std::vector<double>& recording, std::size_t at, const std::vector<double>& sound) {
    constexpr std::size_t stretch = SampleRate / 20;
    std::size_t followed = 0;
    for (; followed + stretch <= sound.size() && at + followed + stretch <= recording.size(); followed += stretch) {
        double both = 0, heard = 0, own = 0;
        for (std::size_t i = followed; i < followed + stretch; ++i) {
            both += recording[at + i] * sound[i];
            heard += recording[at + i] * recording[at + i];
            own += sound[i] * sound[i];
        }
        if (own < SilentPower * double(stretch)) continue;   // a quiet stretch of the sound proves nothing
        if (both < FollowingMatch * std::sqrt(heard * own)) break;
    }
    return double(followed) / SampleRate;
}

struct Match {
    std::size_t at;
    double match;
    const Reference* reference;
};

// Local peaks of the normalised correlation of one reference along the recording.
void addPeaks(const std::vector<double>& correlation, const std::vector<double>& powers, const Reference& reference,
              std::vector<Match>& matches) {
    double own = 0;
    for (double s : reference.opening) own += s * s;
    const std::size_t length = reference.opening.size();
    std::vector<double> match(powers.size(), 0.0);
    for (std::size_t k = 0; k < powers.size(); ++k)
        if (powers[k] > SilentPower * double(length)) match[k] = correlation[k] / std::sqrt(powers[k] * own);
    for (std::size_t k = 1; k + 1 < match.size(); ++k)
        if (match[k] >= LeastMatch && match[k] >= match[k - 1] && match[k] >= match[k + 1]) matches.push_back({k, match[k], &reference});
}

// The best matches first; a match overlapping the opening of a better one is the same sound, or a
// sound cut off at once, and is dropped, and so is an echo.
std::vector<Heard> bestMatches(const std::vector<double>& recording, std::vector<Match> matches) {
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.match > b.match; });
    std::vector<Match> kept;
    for (const Match& m : matches) {
        const bool overlaps = std::any_of(kept.begin(), kept.end(), [&m](const Match& k) {
            const std::size_t apart = m.at > k.at ? m.at - k.at : k.at - m.at;
            if (apart < std::max(k.reference->opening.size(), m.reference->opening.size())) return true;
            return m.at > k.at && apart < k.reference->whole.size() && m.match < k.match - EchoMargin;
        });
        if (!overlaps) kept.push_back(m);
    }
    std::sort(kept.begin(), kept.end(), [](const Match& a, const Match& b) { return a.at < b.at; });
    std::vector<Heard> heard;
    for (const Match& m : kept)
        heard.push_back({double(m.at) / SampleRate, m.reference->name, m.match, followedSeconds(recording, m.at, m.reference->whole)});
    return heard;
}

}   // namespace

std::vector<Reference> readReferences(const QString& folder) {
    std::vector<Reference> references;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        const auto wave = ui::readWaveFile(file.absoluteFilePath());
        if (!wave || wave->format.sampleRate() != SampleRate || wave->format.channelCount() != 1) continue;
        std::vector<double> samples = samplesOf(wave->samples);
        const std::size_t openingLength = std::min(samples.size(), std::size_t(OpeningSeconds * SampleRate));
        std::vector<double> opening(samples.begin(), samples.begin() + std::ptrdiff_t(openingLength));
        references.push_back({file.completeBaseName(), std::move(opening), std::move(samples)});
    }
    return references;
}

std::vector<double> readRecording(const QString& rawFile) {
    QFile file(rawFile);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return samplesOf(file.readAll());
}

std::vector<Heard> findSounds(const std::vector<double>& recording, const std::vector<Reference>& references) {
    std::size_t longest = 0;
    for (const Reference& r : references) longest = std::max(longest, r.opening.size());
    if (recording.size() <= longest) return {};
    std::size_t size = 1;
    while (size < recording.size() + longest) size <<= 1;
    const std::vector<Complex> heard = spectrum(recording, size);
    std::vector<Match> matches;
    for (const Reference& reference : references) {
        std::vector<Complex> product = spectrum(reference.opening, size);
        for (std::size_t i = 0; i < size; ++i) product[i] = heard[i] * std::conj(product[i]);
        fft(product, true);
        std::vector<double> correlation(recording.size() - reference.opening.size() + 1);
        for (std::size_t k = 0; k < correlation.size(); ++k) correlation[k] = product[k].real();
        addPeaks(correlation, stretchPowers(recording, reference.opening.size()), reference, matches);
    }
    return bestMatches(recording, std::move(matches));
}

}   // namespace veltrin::hear
