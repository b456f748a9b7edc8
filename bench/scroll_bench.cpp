// Scroll pacing with the production platform: passes and steps a second that the real forward
// loop achieves, against 50,000 passes a second and 50,000 / (ScrollDelay + 2) steps, and the
// processor time it takes per second of scrolling.
#include "reader/Reader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>

namespace {

using namespace veltrin;

class CountingPlatform : public ui::QtPlatform {
public:
    void scrollPass() override {
        ++passes;
        QtPlatform::scrollPass();
    }
    long passes = 0;
};

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Window {
    double wallSeconds;
    double processorSeconds;
    long passes;
    double steps;   // whole steps from the pane's top edge, plus the share of the step under way
};

// Runs the up arrow's loop in the finished course (no check-points) until a timer stops it.
Window scrollFor(Program& p, CountingPlatform& sys, int milliseconds) {
    reader::LoadLevelText(p, 7);
    sys.passes = 0;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, [&p] { p.state.run.ScrollActive = false; });
    QElapsedTimer wall;
    const double processorBefore = processorSeconds();
    wall.start();
    reader::onUpArrowClicked(p);
    const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
    const double underWay = double(p.state.run.ScrollTick) / double(p.state.settings.ScrollDelay + 2);
    return {wallSeconds, processorSeconds() - processorBefore, sys.passes,
            double(std::lround(-p.window.readingPane->topEdge() * 10)) + underWay};
}

void ScrollPacing(benchmark::State& state) {
    QTemporaryDir folder;
    CountingPlatform sys;
    ui::MainWindow window;
    ui::ContactWindow contact;
    ui::SplashWindow splash;
    Program p{{}, window, contact, splash, sys};
    p.state.settings.CourseDir = folder.path() + QLatin1Char('/');
    p.state.settings.CourseStage = 14;
    p.state.LevelShown = 8;
    p.state.settings.SoundsMuted = 1;
    p.state.settings.ScrollDelay = static_cast<std::int32_t>(state.range(0));
    window.show();
    for (auto _ : state) {
        const Window w = scrollFor(p, sys, static_cast<int>(state.range(1)));
        state.SetIterationTime(w.wallSeconds);
        state.counters["passes_per_s"] = double(w.passes) / w.wallSeconds;
        state.counters["steps_per_s"] = w.steps / w.wallSeconds;
        state.counters["steps_goal"] = 50'000.0 / double(state.range(0) + 2);
        state.counters["cpu_share"] = w.processorSeconds / w.wallSeconds;
    }
}

// Arguments: ScrollDelay, window in milliseconds (long enough for about fifty steps at the slowest).
BENCHMARK(ScrollPacing)
    ->Args({0, 500})
    ->Args({1000, 1000})
    ->Args({10000, 10000})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}   // namespace
