#pragma once
// What a recording of the sound output holds: which of the course's sounds were heard, and when.
// A recording is raw signed 16-bit mono samples at the course's sample rate; each sound is found by
// matching the opening of its wave file against the recording (normalised cross-correlation), so
// two sounds are told apart by their waveforms, whatever their loudness.
#include <QString>
#include <QStringList>

#include <vector>

namespace veltrin::hear {

inline constexpr int SampleRate = 22050;

struct Reference {
    QString name;
    std::vector<double> opening;   // the first samples of the sound's wave file
    std::vector<double> whole;
};

struct Heard {
    double seconds;   // where the sound's first sample lies in the recording
    QString name;
    double match;    // 0 .. 1
    double length;   // how long the recording follows the sound from there, in seconds
};

// The wave files of a folder, each cut to its opening.
std::vector<Reference> readReferences(const QString& folder);
std::vector<double> readRecording(const QString& rawFile);
// Every sound found in the recording, in the order heard.
std::vector<Heard> findSounds(const std::vector<double>& recording, const std::vector<Reference>& references);

}   // namespace veltrin::hear
