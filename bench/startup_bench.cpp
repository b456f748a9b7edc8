// Start-up (the main window built, the start-up sequence run and the window shown) and loading the
// largest level text into the reading pane, on the generated sample course.
#include "reader/Reader.h"
#include "shell/Shell.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

using namespace veltrin;

// The real platform, but sounds are not needed to measure and the settings folder is temporary.
class BenchPlatform : public ui::QtPlatform {
public:
    explicit BenchPlatform(QString folder) : m_folder(std::move(folder)) {}
    QString WindowsDirectory() override { return m_folder; }

private:
    QString m_folder;
};

QString sampleCourse() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/veltrin/course/"); }

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) QFile::copy(from + name, to + name);
}

// A copy of the sample course in which the Introduction has been read, so no scrolling
// introduction opens the Torch panel, and a settings file for it.
void prepareCourse(const QString& folder, int stage) {
    for (const char* part : {"torch/", "lessons/", "sounds/"})
        copyFolder(sampleCourse() + QLatin1String(part), folder + QStringLiteral("/course/") + QLatin1String(part));
    QFile topics(folder + QStringLiteral("/course/torch/info.ndx"));
    topics.open(QIODevice::Append);
    topics.write("Introduction\r\n");
    QFile file(folder + QStringLiteral("/veltrin3.ini"));
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("%1torch/\r\n%1lessons/\r\n%1sounds/\r\n 700\r\n %2\r\n 0\r\n 1\r\n")
                   .arg(folder + QStringLiteral("/course/"))
                   .arg(stage)
                   .toUtf8());
}

void StartupToWindowShown(benchmark::State& state) {
    QTemporaryDir folder;
    prepareCourse(folder.path(), 1);   // Level 2 due
    for (auto _ : state) {
        ui::MainWindow window;
        ui::ContactWindow contact;
        ui::SplashWindow splash;
        BenchPlatform platform(folder.path());
        Program program{{}, window, contact, splash, platform};
        shell::StartProgram(program);
        window.show();
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&window, 5000));
    }
}
BENCHMARK(StartupToWindowShown)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void LoadLargestLevelText(benchmark::State& state) {
    ui::RichTextView pane;
    pane.setGeometry(10, 0, 505, reader::LevelPaneHeight(1));
    const QString path = sampleCourse() + QStringLiteral("lessons/") + reader::LevelFileName(1);
    for (auto _ : state) {
        pane.LoadFile(path);
        benchmark::DoNotOptimize(pane.document()->size());
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(LoadLargestLevelText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}   // namespace
