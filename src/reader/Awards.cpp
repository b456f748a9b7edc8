#include "reader/Awards.h"

#include "progress/Progress.h"
#include "reader/Reader.h"
#include "torch/Torch.h"

#include <array>

namespace veltrin::reader {

namespace {

struct Award {
    int firstStage;   // the new stage, first and last of the range
    int lastStage;
    const char* sound;
};

constexpr std::array<Award, 5> Awards{{
    {0, 0, "award1"},       // Introduction
    {1, 6, "operative"},    // Levels 1 .. 6, first pass
    {7, 7, "commander"},    // Level 7, first pass
    {8, 13, "commander"},   // Levels 1 .. 6, second pass
    {14, 14, "finish"},     // Level 7, second pass: the course is finished
}};

QString awardTopic(int newStage) { return QStringLiteral("award") + QString::number(newStage); }

void raiseStage(Program& p) {
    state::ProgramState& s = p.state;
    ++s.settings.CourseStage;
    s.LevelJustPassed = true;
    s.settings.ScrollPos = 0;
    s.DueLevelPos = 0;
    s.ProgressMark = 0;
}

void showTitle(Program& p) {
    torch::ShowTitle(p);
    p.window.rankLabel->setText(p.state.TitleText);
}

void giveAward(Program& p) {
    const int stage = p.state.settings.CourseStage;
    p.state.run.AskYesNo = false;
    torch::PlaySound(p, awardSound(stage));
    torch::ShowTorchDocument(p, awardTopic(stage) + QStringLiteral(".rtf"), 0);
}

void saveNewStage(Program& p) { state::SaveSettings(p, p.state.settings.CourseStage); }

// The new stage and its award's topic are stored both or neither. The topic goes first: taking it
// back after a failed settings save is a cut, which needs no room on the disk. RestoreProgress lists it.
void storeNewStage(Program& p) { progress::appendTopicThenSave(p, awardTopic(p.state.settings.CourseStage), saveNewStage); }

// awardCover stands in place of the arrows while the award is on screen.
void coverArrows(Program& p, bool covered) {
    p.window.awardCover->setVisible(covered);
    p.window.upArrow->setVisible(!covered);
    p.window.downArrow->setVisible(!covered);
}

}   // namespace

QString awardSound(int newStage) {
    for (const Award& award : Awards)
        if (newStage >= award.firstStage && newStage <= award.lastStage) return QLatin1String(award.sound);
    return {};
}

void completeLevel(Program& p) {
    raiseStage(p);
    storeNewStage(p);
    RestoreProgress(p);   // RequirementsMet is still set, so the finished text stays in the pane; lists the award
    showTitle(p);
    giveAward(p);
    coverArrows(p, true);
    p.state.EndReached = false;
    torch::WaitForTorchClosed(p);
    LoadLevelText(p, p.state.LevelShown);   // LevelShown 8 after the last level: the finished text stays
    coverArrows(p, false);
}

}   // namespace veltrin::reader
