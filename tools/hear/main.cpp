// veltrin-hear: the ear of the sound tests and benchmarks.
//   veltrin-hear record RAW TIMES          copies raw samples from standard input into RAW and notes in
//                                          TIMES, after each piece, the bytes so far and the wall clock
//   veltrin-hear list RAW SOUNDS [TIMES]   prints each sound of the folder SOUNDS heard in RAW, in order:
//                                          seconds into the recording, name, match, seconds heard
//                                          and, given TIMES, the wall-clock nanoseconds of its start
#include "hear/Recording.h"

#include <QFile>

#include <cstdio>
#include <ctime>
#include <limits>
#include <unistd.h>

namespace {

using namespace veltrin::hear;

qint64 wallClockNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

int record(const char* rawPath, const char* timesPath) {
    std::FILE* raw = std::fopen(rawPath, "wb");
    std::FILE* times = std::fopen(timesPath, "w");
    if (!raw || !times) {
        std::fprintf(stderr, "veltrin-hear: cannot write %s or %s\n", rawPath, timesPath);
        return 2;
    }
    char piece[4096];
    long long total = 0;
    for (ssize_t got; (got = read(0, piece, sizeof piece)) > 0;) {
        const qint64 now = wallClockNs();
        std::fwrite(piece, 1, std::size_t(got), raw);
        std::fflush(raw);
        total += got;
        std::fprintf(times, "%lld %lld\n", total, static_cast<long long>(now));
        std::fflush(times);
    }
    return 0;
}

// The wall clock of the recording's first sample: a piece arrives after its last sample was taken,
// so the earliest arrival, less the length of what came before it, is the closest bound.
qint64 recordingStartNs(const QString& timesPath) {
    QFile file(timesPath);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    qint64 start = std::numeric_limits<qint64>::max();
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() != 2) continue;
        start = std::min(start, fields[1].toLongLong() - fields[0].toLongLong() / 2 * 1'000'000'000 / SampleRate);
    }
    return start == std::numeric_limits<qint64>::max() ? 0 : start;
}

int list(const char* rawPath, const char* soundFolder, const char* timesPath) {
    const qint64 start = timesPath ? recordingStartNs(QString::fromLocal8Bit(timesPath)) : 0;
    const auto heard = findSounds(readRecording(QString::fromLocal8Bit(rawPath)), readReferences(QString::fromLocal8Bit(soundFolder)));
    for (const Heard& sound : heard) {
        std::printf("%.3f %s %.2f %.2f", sound.seconds, qPrintable(sound.name), sound.match, sound.length);
        if (timesPath) std::printf(" %lld", static_cast<long long>(start + qint64(sound.seconds * 1e9)));
        std::printf("\n");
    }
    return 0;
}

}   // namespace

int main(int argc, char** argv) {
    const QString what = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    if (what == QLatin1String("record") && argc == 4) return record(argv[2], argv[3]);
    if (what == QLatin1String("list") && (argc == 4 || argc == 5)) return list(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    std::fprintf(stderr, "usage: veltrin-hear record RAW TIMES | veltrin-hear list RAW SOUNDS [TIMES]\n");
    return 2;
}
