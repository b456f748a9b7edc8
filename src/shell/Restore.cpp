#include "shell/Shell.h"

#include "journal/Journal.h"
#include "progress/Progress.h"
#include "reader/Reader.h"
#include "torch/Torch.h"

#include <cmath>

namespace veltrin::shell {

namespace {

// The pictures of the window for the three regimes: first pass (stages -1 .. 6), second pass
// (7 .. 13) and the finished course (14).
struct Scenery {
    const char* background;
    const char* exitButton;
    const char* torch;
    const char* panel;
    std::array<const char*, 5> frames;   // Picture6 .. Picture10
};

constexpr std::array<Scenery, 3> SceneryByRegime{{
    {"wood3-bkg.jpg", "wood3-btn-xit.jpg", "wood3-torch.jpg", "wood3-fr1.jpg",
     {"wood3-torch.jpg", "wood3-torch-a.jpg", "wood3-torch-b.jpg", "wood3-torch-c.jpg", "wood3-torch-d.jpg"}},
    {"wood3-bkg-l7O.jpg", "wood3-btn-xit-l7a.jpg", "wood3-torch.jpg", "wood3-fr1.jpg",
     {"wood3-torch.jpg", "wood3-torch-a.jpg", "wood3-torch-b.jpg", "wood3-torch-c.jpg", "wood3-torch-d.jpg"}},
    {"wood3-bkg-l7.jpg", "wood3-btn-xit-l7a.jpg", "wood3-torch-l7.jpg", "wood3-fr1-l7.jpg",
     {"wood3-torch-l7.jpg", "wood3-torch-a-l7.jpg", "wood3-torch-b-l7.jpg", "wood3-torch-c-l7.jpg", "wood3-torch-d-l7.jpg"}},
}};

const Scenery& sceneryFor(int stage) {
    if (stage >= 14) return SceneryByRegime[2];
    if (stage >= 7) return SceneryByRegime[1];
    return SceneryByRegime[0];
}

void markIntroductionRead(Program& p) {
    for (int item = 0; item < p.form.Combo1->count(); ++item)
        if (p.form.Combo1->itemText(item) == QLatin1String("Introduction")) p.state.ShowScrollIntro = false;
}

// A saved distance beyond the pane would show an empty viewport: the text goes back to its top,
// and that is the position the exit saves. The position bar cannot do it when it stands at 0
// already, since no change of its value runs its handler.
void backToTopWhenBeyondThePane(ProgramState& s, int paneHeight) {
    if (std::abs(qint64(s.ScrollPos)) <= paneHeight) return;
    s.ScrollPos = 0;
    s.DueLevelPos = 0;
}

// Like LoadLevelText, but the pane keeps the saved position and the position bar follows it.
void loadDueLevelAtSavedPosition(Program& p) {
    ProgramState& s = p.state;
    ui::RichTextView& pane = *p.form.RichTextBox1;
    s.LevelJustPassed = false;
    p.form.Picture1->show();
    p.sys.setBusyCursor(true);
    s.ScrollActive = false;
    pane.setPaneHeight(reader::LevelPaneHeight(s.LevelShown));
    pane.LoadFile(s.CourseDir + reader::LevelFileName(s.LevelShown));
    backToTopWhenBeyondThePane(s, pane.height());
    pane.setTopEdge(s.ScrollPos);
    p.sys.setBusyCursor(false);
    p.form.VScroll2->setMaximum(pane.height());
    p.form.VScroll2->setValue(int(std::abs(qint64(s.ScrollPos))));
}

// The pictures that do not change with the stage: the arrows, the side buttons, the marker and cover.
constexpr std::array<std::pair<ui::PictureButton* ui::Form1::*, const char*>, 3> FixedButtonPictures{{
    {&ui::Form1::Command10, "wood3-btn-torch.jpg"},
    {&ui::Form1::Command19, "wood3-btn-erase.jpg"},
    {&ui::Form1::Command20, "wood3-btn-info.jpg"},
}};

constexpr std::array<std::pair<ui::PictureBox* ui::Form1::*, const char*>, 4> FixedBoxPictures{{
    {&ui::Form1::Picture4, "wood3-btn-up.jpg"},
    {&ui::Form1::Picture5, "wood3-btn-dn.jpg"},
    {&ui::Form1::Picture11, "wood3-newtopic.jpg"},
    {&ui::Form1::Picture12, "wood3-award.jpg"},
}};

} // namespace

void DressControls(Program& p) {
    const QString& folder = p.state.CourseDir;
    for (const auto& [button, picture] : FixedButtonPictures) (p.form.*button)->loadPicture(folder + QLatin1String(picture));
    torch::ShowLookPictures(p, *p.form.Command13, torch::JournalClosedLook);
    torch::ShowLookPictures(p, *p.form.Command14, torch::ManualClosedLook);
    for (const auto& [box, picture] : FixedBoxPictures) (p.form.*box)->loadPicture(folder + QLatin1String(picture));
    p.about.loadBackgroundPicture(folder + QStringLiteral("wood3-fr1.jpg"));
    p.splash.imgLogo->loadPicture(folder + QStringLiteral("veltrin-logo.jpg"));
}

void RestoreProgress(Program& p) {
    ReadSettings(p);
    progress::RefillLists(p);
    markIntroductionRead(p);
    std::copy(reader::LevelEnds.begin(), reader::LevelEnds.end(), p.state.LevelEnd.begin());
    journal::FillRequirementTables(p);
    progress::LoadProgressFiles(p);
    p.state.LevelShown = static_cast<std::int16_t>(DueLevel(p.state.CourseStage));
    if (!p.state.RequirementsMet && p.state.LevelShown <= 7) loadDueLevelAtSavedPosition(p);
    DressScenery(p);
}

void DressScenery(Program& p) {
    const Scenery& scenery = sceneryFor(p.state.CourseStage);
    const QString& folder = p.state.CourseDir;
    p.form.loadBackgroundPicture(folder + QLatin1String(scenery.background));
    p.form.Command9->loadPicture(folder + QLatin1String(scenery.exitButton));
    p.form.Picture3->loadPicture(folder + QLatin1String(scenery.torch));
    p.form.Picture2->loadPicture(folder + QLatin1String(scenery.panel));
    const std::array<ui::PictureBox*, 5> frames{p.form.Picture6, p.form.Picture7, p.form.Picture8, p.form.Picture9, p.form.Picture10};
    for (std::size_t frame = 0; frame < frames.size(); ++frame)
        frames[frame]->loadPicture(folder + QLatin1String(scenery.frames[frame]));
}

} // namespace veltrin::shell
