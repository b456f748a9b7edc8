#include "reader/Reader.h"

#include "progress/Progress.h"
#include "state/State.h"
#include "torch/Torch.h"

namespace veltrin::reader {

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
    if (p.state.screen.Topics.contains(QStringLiteral("Introduction"))) p.state.ShowScrollIntro = false;
}

// Like LoadLevelText, but the pane keeps the saved position and the position bar follows it.
void loadDueLevelAtSavedPosition(Program& p) {
    state::ProgramState& s = p.state;
    ui::RichTextView& pane = *p.window.readingPane;
    s.LevelJustPassed = false;
    p.window.viewport->show();
    p.sys.setBusyCursor(true);
    s.run.ScrollActive = false;
    pane.setPaneHeight(LevelPaneHeight(s.LevelShown));
    pane.LoadFile(s.settings.CourseDir + LevelFileName(s.LevelShown));
    state::placeLoadedText(p, s.settings.ScrollPos);
    p.sys.setBusyCursor(false);
}

}   // namespace

void RestoreProgress(Program& p) {
    state::ReadSettings(p);
    progress::RefillLists(p);
    markIntroductionRead(p);
    std::copy(LevelEnds.begin(), LevelEnds.end(), p.state.LevelEnd.begin());
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

}   // namespace veltrin::reader
