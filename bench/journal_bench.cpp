// Adding an entry to stores of growing size (it must not grow with the store), and writing and
// showing the report of a store of many entries, with the peak memory of the process. On a display
// (bench/on_display.sh), ShowReportOnScreen times what the user waits for after the click.
#include "journal/Journal.h"
#include "journal/JournalReport.h"
#include "progress/Progress.h"
#include "torch/Torch.h"

#include "base/TextFile.h"
#include "core/JournalSeal.h"
#include "state/State.h"
#include "ui/LongTextView.h"

#include "UserWait.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

namespace veltrin {
namespace {

const QByteArray SampleRecord = "6.12.26 09:30:15~Level One Operative of the Inner Realm~Openness~~3524114Today I noticed how often I "
                                "wait for others to speak first.\\par \nTomorrow I will try to begin.\r\n";

void writeStore(const QString& path, long entries) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (long i = 0; i < entries; ++i) file.write(SampleRecord);
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Seals the course's store when the benchmark's second argument is 1, with the key at hand as
// after the user gave the passphrase.
void sealWhenAsked(Program& p, const benchmark::State& state) {
    if (state.range(1) == 0) return;
    const QString store = p.state.settings.CourseDir + "veltrin.sdb";
    core::encryptJournal(store, "bench passphrase");
    p.journalLock.key = core::unlockJournal(store, "bench passphrase");
}

// A course folder with the progress files of a fresh course, and a program over it.
struct BenchCourse {
    QTemporaryDir root;
    ui::MainWindow window;
    ui::ContactWindow contact;
    ui::SplashWindow splash;
    ui::QtPlatform sys;
    Program p{{}, window, contact, splash, sys};

    BenchCourse() {
        p.state.settings.AppDir = root.path() + "/";
        p.state.settings.CourseDir = root.path() + "/";
        p.state.settings.SoundsMuted = 1;
        p.state.RankBars = {QString(), ".=        .", ".==      .", ".===    .", ".====  .", ".=====."};
        progress::FillRequirementTables(p);
        for (std::size_t row = 1; row <= core::SubjectRows; ++row) {
            p.state.SubjectProgress[row].name = p.state.SubjectRequirements[row].name.toUpper();
            p.state.SubjectProgress[row].count = "0";
        }
        base::rewriteLines(p.state.settings.AppDir + "mission.ndx", {"Openness"});
        const std::array<int, 7> ranks{3, 5, 2, 4, 1, 1, 4};
        for (std::size_t category = 0; category < ranks.size(); ++category)
            window.rankOptions[category][std::size_t(ranks[category] - 1)]->setChecked(true);
        window.subjectBox->setEditText("Openness");
        window.entryBox->SetText("Today I noticed how often I wait.\nTomorrow I will begin.");
    }
};

void AddEntry(benchmark::State& state) {
    BenchCourse course;
    writeStore(course.p.state.settings.CourseDir + "veltrin.sdb", state.range(0));
    sealWhenAsked(course.p, state);
    for (auto _ : state) journal::onAddEntryClicked(course.p);
    state.counters["entries"] = double(state.range(0));
}
// The second argument: 1 for a protected journal.
BENCHMARK(AddEntry)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void WriteReport(benchmark::State& state) {
    QTemporaryDir root;
    const QString store = root.path() + "/veltrin.sdb";
    writeStore(store, state.range(0));
    const journal::RankBarTexts bars{QString(), ".=        .", ".==      .", ".===    .", ".====  .", ".=====."};
    for (auto _ : state) journal::writeJournalReport(store, root.path() + "/Journal Report.rtf", bars);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(WriteReport)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Opening the report as the user does: write it, then load it into the viewer.
void ShowReport(benchmark::State& state) {
    BenchCourse course;
    writeStore(course.p.state.settings.CourseDir + "veltrin.sdb", state.range(0));
    for (auto _ : state) {
        course.p.state.screen.ReportOpen = false;   // the click opens the report again
        journal::onViewJournalClicked(course.p);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(ShowReport)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    return statm.readAll().split(' ').value(1).toDouble() * double(getpagesize()) / (1024.0 * 1024.0);
}

// The report opened in the shown window, from the click until the program is idle again (layout
// included); first_screen_s is when its first screen was painted. Each repetition is one click.
void ShowReportOnScreen(benchmark::State& state) {
    BenchCourse course;
    writeStore(course.p.state.settings.CourseDir + "veltrin.sdb", state.range(0));
    sealWhenAsked(course.p, state);
    course.window.show();
    torch::showJournalFrame(course.p, true);
    if (!QTest::qWaitForWindowExposed(&course.window)) state.SkipWithError("the window was not shown");
    // The report is painted by the view of long documents inside the viewer, the message before it by the viewer.
    ui::RichTextView& viewer = *course.window.documentViewer;
    bench::UserWait wait([&viewer](QWidget* painted) {
        auto* view = viewer.findChild<ui::LongTextView*>();
        return view && view->isAncestorOf(painted) && view->paragraphCount() > 1;
    });
    bench::WaitTimes times;
    for (auto _ : state) {
        course.p.state.screen.ReportOpen = false;   // the click opens the report again
        times = wait.after([&course] { journal::onViewJournalClicked(course.p); });
        state.SetIterationTime(times.idle);
    }
    state.counters["first_screen_s"] = times.firstScreen;
    state.counters["resident_MB"] = residentMegabytes();
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(ShowReportOnScreen)
    ->ArgsProduct({{1'000, 10'000}, {0, 1}})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->Unit(benchmark::kMillisecond);

}   // namespace
}   // namespace veltrin
