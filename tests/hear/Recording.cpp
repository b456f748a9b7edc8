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
std::vector<Heard> bestMatches(std::vector<Match> matches) {
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.match > b.match; });
    std::vector<Match> kept;
    for (const Match& m : matches) {
        const bool overlaps = std::any_of(kept.begin(), kept.end(), [&m](const Match& k) {
            const std::size_t apart = m.at > k.at ? m.at - k.at : k.at - m.at;
            if (apart < std::max(k.reference->opening.size(), m.reference->opening.size())) return true;
            return m.at > k.at && apart < k.reference->length && m.match < k.match - EchoMargin;
        });
        if (!overlaps) kept.push_back(m);
    }
    std::sort(kept.begin(), kept.end(), [](const Match& a, const Match& b) { return a.at < b.at; });
    std::vector<Heard> heard;
    for (const Match& m : kept) heard.push_back({double(m.at) / SampleRate, m.reference->name, m.match});
    return heard;
}

} // namespace

std::vector<Reference> readReferences(const QString& folder) {
    std::vector<Reference> references;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        const auto wave = ui::readWaveFile(file.absoluteFilePath());
        if (!wave || wave->format.sampleRate() != SampleRate || wave->format.channelCount() != 1) continue;
        std::vector<double> samples = samplesOf(wave->samples);
        const std::size_t length = samples.size();
        samples.resize(std::min(length, std::size_t(OpeningSeconds * SampleRate)));
        references.push_back({file.completeBaseName(), std::move(samples), length});
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
    return bestMatches(std::move(matches));
}

} // namespace veltrin::hear
