// Exporting, searching, charting and summing up long journals: time per run and the peak memory of
// the process, which must stay flat from 10,000 to 100,000 entries for the exports and the statistics.
// Adding an entry and reading the whole journal as the report reads it, plain beside sealed, and a
// new passphrase.
#include "core/JournalChart.h"
#include "core/JournalExport.h"
#include "core/JournalSeal.h"
#include "core/JournalStats.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>
#include <sys/resource.h>

namespace veltrin {
namespace {

// A store of `entries` records a few hours apart, dated as the program dates them, with commas,
// quotes and line breaks in their texts.
struct BenchStore {
    QTemporaryDir root;
    QString path = root.filePath("veltrin.sdb");

    explicit BenchStore(long entries) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const QDateTime start(QDate(2020, 1, 1), QTime(8, 0, 0));
        for (long i = 0; i < entries; ++i) {
            const QString chronology = core::chronologyText(start.addSecs(i * 7 * 3600));
            const QString digits = QString::number(1 + i % 5) + "5241" + QString::number(1 + i / 7 % 5) + "4";
            file.write((chronology + "~Level One Operative of the Inner Realm~Openness~~" + digits +
                        "Today I noticed, again, how often I \"wait\" for others to speak first.\\par \n"
                        "Tomorrow I will try to begin; entry " +
                        QString::number(i) + ".\r\n")
                           .toUtf8());
        }
    }
};

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The export into a file, as `veltrin journal export --output` writes it.
void Export(benchmark::State& state, core::ExportFormat format) {
    BenchStore store(state.range(0));
    const QString output = store.root.filePath("export");
    for (auto _ : state) core::saveJournalExport(store.path, format, output);
    state.counters["peak_MB"] = peakMegabytes();
}
void ExportCsv(benchmark::State& state) { Export(state, core::ExportFormat::Csv); }
void ExportJson(benchmark::State& state) { Export(state, core::ExportFormat::Json); }
void ExportPdf(benchmark::State& state) { Export(state, core::ExportFormat::Pdf); }
BENCHMARK(ExportPdf)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExportCsv)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExportJson)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

// Two words, one of them in a tenth of the entries only.
void Search(benchmark::State& state) {
    BenchStore store(state.range(0));
    const core::JournalFilter filter{{"WAIT", "entry 9"}, {}, {}, {}};
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        core::JournalWriter writer(core::ExportFormat::Markdown, out, "buffer");
        core::exportJournal(store.path, writer, [&filter](const core::ExportedEntry& entry) { return filter.keeps(entry); });
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(Search)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

// Reading the store and drawing the chart into a 1200 x 600 picture.
void Chart(benchmark::State& state) {
    BenchStore store(state.range(0));
    for (auto _ : state) {
        QImage image(core::ChartWidth, core::ChartHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        core::drawJournalChart(painter, image.rect(), core::readJournalChart(store.path));
    }
}
BENCHMARK(Chart)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

// The store of `entries` records, sealed when asked; the key is then unlocked once.
struct SealableStore : BenchStore {
    std::optional<core::JournalKey> key;
    SealableStore(long entries, bool sealed) : BenchStore(entries) {
        if (!sealed) return;
        core::encryptJournal(path, "bench passphrase");
        key = core::unlockJournal(path, "bench passphrase");
    }
    const core::JournalKey* keyOrNull() const { return key ? &*key : nullptr; }
};

// One entry added to a journal of 10,000, as "Add Journal Entry" stores it.
void AddEntry(benchmark::State& state) {
    SealableStore store(10'000, state.range(0) != 0);
    const QString record = "6.12.2026 09:30:00~Level One Operative of the Inner Realm~Openness~~3524114Today I began.";
    for (auto _ : state) core::appendJournalRecord(store.path, record, store.keyOrNull());
}
BENCHMARK(AddEntry)
    ->ArgName("sealed")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Every record of the journal read back, as the report reads them.
void ReadJournal(benchmark::State& state) {
    SealableStore store(10'000, state.range(0) != 0);
    for (auto _ : state) {
        core::JournalReader reader(store.path, store.keyOrNull());
        core::StoredEntry entry;
        while (reader.next(entry)) benchmark::DoNotOptimize(entry);
    }
}
BENCHMARK(ReadJournal)
    ->ArgName("sealed")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A new passphrase for a sealed journal of 10,000 entries: the key file alone is rewritten.
void ChangePassphrase(benchmark::State& state) {
    SealableStore store(10'000, true);
    for (auto _ : state) core::changeJournalPassphrase(store.path, *store.key, "another passphrase");
}
BENCHMARK(ChangePassphrase)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

// Sealing a journal of 10,000 entries and opening it back.
void SealAndOpen(benchmark::State& state) {
    BenchStore store(10'000);
    for (auto _ : state) {
        core::encryptJournal(store.path, "bench passphrase");
        core::decryptJournal(store.path, *core::unlockJournal(store.path, "bench passphrase"));
    }
}
BENCHMARK(SealAndOpen)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

// Every statistic of the store as `journal stats` reads it.
void Stats(benchmark::State& state) {
    BenchStore store(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(core::readJournalStats(store.path, QDate(2026, 1, 1)));
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(Stats)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

}   // namespace
}   // namespace veltrin
