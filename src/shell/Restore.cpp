#include "shell/Shell.h"

#include "journal/Journal.h"
#include "progress/Progress.h"
#include "reader/Reader.h"
#include "state/State.h"
#include "torch/Torch.h"

namespace veltrin::shell {

namespace {

// The pictures of the window for the three regimes: first pass (stages -1 .. 6), second pass
// (7 .. 13) and the finished course (14).
struct Scenery {
    const char* background;
    const char* exitButton;
    const char* torch;
    const char* panel;
    std::array<const char*, 5> frames;   // torchFrame5 .. torchFrame1
};

constexpr std::array<Scenery, 3> SceneryByRegime{{
    {"wood3-bkg.jpg",
     "wood3-btn-xit.jpg",
     "wood3-torch.jpg",
     "wood3-fr1.jpg",
     {"wood3-torch.jpg", "wood3-torch-a.jpg", "wood3-torch-b.jpg", "wood3-torch-c.jpg", "wood3-torch-d.jpg"}},
    {"wood3-bkg-l7O.jpg",
     "wood3-btn-xit-l7a.jpg",
     "wood3-torch.jpg",
     "wood3-fr1.jpg",
     {"wood3-torch.jpg", "wood3-torch-a.jpg", "wood3-torch-b.jpg", "wood3-torch-c.jpg", "wood3-torch-d.jpg"}},
    {"wood3-bkg-l7.jpg",
     "wood3-btn-xit-l7a.jpg",
     "wood3-torch-l7.jpg",
     "wood3-fr1-l7.jpg",
     {"wood3-torch-l7.jpg", "wood3-torch-a-l7.jpg", "wood3-torch-b-l7.jpg", "wood3-torch-c-l7.jpg", "wood3-torch-d-l7.jpg"}},
}};

const Scenery& sceneryFor(core::Stage stage) {
    switch (stage.pass()) {
    case core::Pass::Finished: return SceneryByRegime[2];
    case core::Pass::Second: return SceneryByRegime[1];
    default: return SceneryByRegime[0];
    }
}

void markIntroductionRead(Program& p) {
    for (int item = 0; item < p.window.topicList->count(); ++item)
        if (p.window.topicList->itemText(item) == QLatin1String("Introduction")) p.state.ShowScrollIntro = false;
}

// Like LoadLevelText, but the pane keeps the saved position and the position bar follows it.
void loadDueLevelAtSavedPosition(Program& p) {
    state::ProgramState& s = p.state;
    ui::RichTextView& pane = *p.window.readingPane;
    s.LevelJustPassed = false;
    p.window.viewport->show();
    p.sys.setBusyCursor(true);
    s.run.ScrollActive = false;
    pane.setPaneHeight(reader::LevelPaneHeight(s.LevelShown));
    pane.LoadFile(s.settings.CourseDir + reader::LevelFileName(s.LevelShown));
    state::placeLoadedText(p, s.settings.ScrollPos);
    p.sys.setBusyCursor(false);
}

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

}   // namespace

void DressControls(Program& p) {
    const QString& folder = p.state.settings.CourseDir;
    for (const auto& [button, picture] : FixedButtonPictures) (p.window.*button)->loadPicture(folder + QLatin1String(picture));
    torch::ShowLookPictures(p, *p.window.journalButton, torch::JournalClosedLook);
    torch::ShowLookPictures(p, *p.window.manualButton, torch::ManualClosedLook);
    for (const auto& [box, picture] : FixedBoxPictures) (p.window.*box)->loadPicture(folder + QLatin1String(picture));
    p.contact.loadBackgroundPicture(folder + QStringLiteral("wood3-fr1.jpg"));
    p.splash.logo->loadPicture(folder + QStringLiteral("veltrin-logo.jpg"));
}

void RestoreProgress(Program& p) {
    state::ReadSettings(p);
    progress::RefillLists(p);
    markIntroductionRead(p);
    std::copy(reader::LevelEnds.begin(), reader::LevelEnds.end(), p.state.LevelEnd.begin());
    progress::FillRequirementTables(p);
    progress::LoadProgressFiles(p);
    p.state.LevelShown = static_cast<std::int16_t>(core::Stage(p.state.settings.CourseStage).dueLevel());
    if (!p.state.RequirementsMet && p.state.LevelShown <= 7) loadDueLevelAtSavedPosition(p);
    DressScenery(p);
}

void DressScenery(Program& p) {
    const Scenery& scenery = sceneryFor(core::Stage(p.state.settings.CourseStage));
    const QString& folder = p.state.settings.CourseDir;
    p.window.loadBackgroundPicture(folder + QLatin1String(scenery.background));
    p.window.exitButton->loadPicture(folder + QLatin1String(scenery.exitButton));
    p.window.torchPicture->loadPicture(folder + QLatin1String(scenery.torch));
    p.window.torchPanel->loadPicture(folder + QLatin1String(scenery.panel));
    const std::array<ui::PictureBox*, 5> frames{p.window.torchFrame5, p.window.torchFrame4, p.window.torchFrame3, p.window.torchFrame2,
                                                p.window.torchFrame1};
    for (std::size_t frame = 0; frame < frames.size(); ++frame) frames[frame]->loadPicture(folder + QLatin1String(scenery.frames[frame]));
}

}   // namespace veltrin::shell
