#include "shell/Shell.h"

#include "reader/Reader.h"
#include "state/State.h"
#include "torch/Torch.h"
#include "ui/Twips.h"

#include <QDir>

#include <cstdlib>
#include <optional>

namespace veltrin::shell {

namespace {

// The pictures that do not change with the stage: the arrows, the side buttons, the marker and cover.
constexpr std::array<std::pair<ui::PictureButton * ui::MainWindow::*, const char*>, 3> FixedButtonPictures{{
    {&ui::MainWindow::askTorchButton, "wood3-btn-torch.jpg"},
    {&ui::MainWindow::eraseButton, "wood3-btn-erase.jpg"},
    {&ui::MainWindow::contactButton, "wood3-btn-info.jpg"},
}};

constexpr std::array<std::pair<ui::PictureBox * ui::MainWindow::*, const char*>, 4> FixedBoxPictures{{
    {&ui::MainWindow::upArrow, "wood3-btn-up.jpg"},
    {&ui::MainWindow::downArrow, "wood3-btn-dn.jpg"},
    {&ui::MainWindow::newTopicMarker, "wood3-newtopic.jpg"},
    {&ui::MainWindow::awardCover, "wood3-award.jpg"},
}};

constexpr int SmallestScreenWidth = 12000;   // 800 pixels
constexpr int WindowTop = 100;
// The exit waits for its sound in looks of ExitLookMs until the sound has started, then until it has
// been heard: LeastExitMs at least, MostExitMs at most in all.
constexpr int LeastExitMs = 500;
constexpr int MostExitMs = 1500;
constexpr int ExitLookMs = 10;

void placeMainWindow(Program& p) {
    const int screenWidth = p.sys.screenSizeTwips().width();
    const int width = ui::toTwips(p.window.width());
    p.window.move(ui::toPixels(ui::intDiv(screenWidth - width, 2)), ui::toPixels(WindowTop));
}

void fillRankBars(Program& p) {
    for (std::size_t rank = 1; rank <= core::RankBarTexts.size(); ++rank)
        p.state.RankBars[rank] = QString::fromLatin1(core::RankBarTexts[rank - 1]);
}

void saveOnExit(Program& p) {
    p.state.settings.ScrollPos = p.state.DueLevelPos;
    try {
        state::SaveSettings(p, p.state.settings.CourseStage);
    } catch (const base::FileError& error) {
        p.sys.messageBox(QStringLiteral("Veltrin could not save your reading position in the file\n%1\n\n%2\n\n"
                                        "The file keeps the position saved before.")
                             .arg(error.path(), error.reason()));
    }
}

// The time until the sound starts counts within the bound: with a first sound the sound module
// loads then, and a sound server that takes the sound but never answers would never start it.
void waitForExitSound(Program& p) {
    int waitedMs = 0;
    std::optional<double> left;
    while (!(left = p.sys.sound().secondsLeftToPlay()) && waitedMs < MostExitMs) {
        p.sys.Pause(ExitLookMs / 1000.0);
        waitedMs += ExitLookMs;
    }
    const double rest = std::max((LeastExitMs - waitedMs) / 1000.0, left.value_or(0));
    if (rest > 0) p.sys.Pause(std::min(rest, (MostExitMs - waitedMs) / 1000.0));
}

void refuseToStart(Program& p, const QString& message) {
    p.splash.hide();
    p.sys.messageBox(message);
    p.sys.endProgram();
}

}   // namespace

void FindWindowsDir(Program& p) {
    QString folder = p.sys.WindowsDirectory().trimmed();
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    p.state.WinDir = folder + QDir::separator();
}

void DressControls(Program& p) {
    const QString& folder = p.state.settings.CourseDir;
    for (const auto& [button, picture] : FixedButtonPictures) (p.window.*button)->loadPicture(folder + QLatin1String(picture));
    torch::ShowLookPictures(p, *p.window.journalButton, torch::JournalClosedLook);
    torch::ShowLookPictures(p, *p.window.manualButton, torch::ManualClosedLook);
    for (const auto& [box, picture] : FixedBoxPictures) (p.window.*box)->loadPicture(folder + QLatin1String(picture));
    p.contact.loadBackgroundPicture(folder + QStringLiteral("wood3-fr1.jpg"));
    p.splash.logo->loadPicture(folder + QStringLiteral("veltrin-logo.jpg"));
}

void StartProgram(Program& p) {
    p.splash.show();
    p.sys.Yield();
    if (p.sys.screenSizeTwips().width() < SmallestScreenWidth)
        refuseToStart(p, QStringLiteral("Video Display must be at least 800 x 600 before Veltrin can run."));
    p.state.ShowScrollIntro = true;
    p.sys.sound().setDeviceType(QStringLiteral("WaveAudio"));
    p.sys.sound().command(QStringLiteral("Open"));
    FindWindowsDir(p);
    try {
        InstallSampleCourseIfFirstRun(p, SampleCourseFolder());
        reader::RestoreProgress(p);
    } catch (const base::FileError& error) {
        refuseToStart(
            p, QStringLiteral("Veltrin cannot start.\n\nFile: %1\n%2\n\nNothing has been changed.").arg(error.path(), error.reason()));
    }
    DressControls(p);
    torch::ShowTitle(p);
    p.window.rankLabel->setText(p.state.TitleText);
    p.window.speedBar->setValue(static_cast<int>(std::min<qint64>(std::abs(qint64(p.state.settings.ScrollDelay)), 32767)));
    fillRankBars(p);
    placeMainWindow(p);
    p.state.run.ScrollActive = false;
    p.window.torchPane->SetText(QString());
    state::moveReadingPane(p, p.state.settings.ScrollPos);
    p.window.viewport->show();
    p.window.readingPane->show();
    if (p.state.ShowScrollIntro) torch::ShowTorchDocument(p, QStringLiteral("scrollintro.rtf"), 0);
    torch::PlaceContactWindow(p);
    RunGuarded(p, [&p] { ShowKeptReminder(p); });
    p.splash.hide();
    torch::PlaySound(p, QStringLiteral("run"));
}

// The position is saved while the exit sound starts; the program then waits, half a second at least,
// until the sound has been heard (a longer one is cut off after a second and a half).
void onExitClicked(Program& p) {
    torch::PlaySound(p, QStringLiteral("exit"));
    saveOnExit(p);
    waitForExitSound(p);
    p.sys.endProgram();
}

void onWindowClosed(Program& p) {
    saveOnExit(p);
    p.sys.endProgram();
}

void onFocusLost(Program& p) { p.state.run.ScrollActive = false; }

}   // namespace veltrin::shell
