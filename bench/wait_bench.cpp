// Waiting for the user (until the Torch panel is closed) must not spin the processor: the share
// of one core used while the program waits, with the real platform.
#include "shell/Shell.h"
#include "torch/Torch.h"

#include <QApplication>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace veltrin;

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void WaitForTorchClosed(benchmark::State& state) {
    ui::MainWindow window;
    ui::ContactWindow contact;
    ui::SplashWindow splash;
    ui::QtPlatform platform;
    Program program{{}, window, contact, splash, platform};
    const int waitMilliseconds = int(state.range(0));
    double share = 0;
    for (auto _ : state) {
        program.state.screen.TorchPanel = state::TorchPanelState::Open;
        QTimer::singleShot(waitMilliseconds, &window, [&program] {
            program.state.screen.TorchPanel = state::TorchPanelState::Closing;
        });   // the user closes the panel
        const double before = processorSeconds();
        torch::WaitForTorchClosed(program);
        share = (processorSeconds() - before) / (waitMilliseconds / 1000.0);
    }
    state.counters["core_share"] = share;
}
BENCHMARK(WaitForTorchClosed)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}   // namespace
