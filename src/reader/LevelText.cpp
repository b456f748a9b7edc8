#include "reader/Reader.h"

#include "state/State.h"
#include "torch/Torch.h"

namespace veltrin::reader {

namespace {

struct LevelText {
    const char* fileName;
    std::int32_t margin;   // the part of the pane still below the viewport's top at the end
    const char* openingSound;
};

constexpr std::array<LevelText, 8> LevelTexts{{
    {"veltrin0.rtf", 350, "open0"},
    {"veltrin1.rtf", 1700, "open0"},
    {"veltrin2.rtf", 1425, "open0"},
    {"veltrin3.rtf", 1283, "open0"},
    {"veltrin4.rtf", 685, "open1"},
    {"veltrin5.rtf", 1025, "open1"},
    {"veltrin6.rtf", 845, "open1"},
    {"veltrin7.rtf", 950, "open1"},
}};

bool isLevel(int level) { return level >= 0 && level < int(LevelTexts.size()); }

void refuse(Program& p, const char* document) {
    torch::PlaySound(p, QStringLiteral("resetyn"));
    torch::ShowTorchDocument(p, QLatin1String(document), 0);
}

void stopScrollingForNewText(Program& p) {
    p.window.viewport->show();
    p.sys.setBusyCursor(true);
    p.state.run.ScrollActive = false;
}

// A level button: any button that can be clicked opens its text; which can be clicked follows the stage.
void openLevel(Program& p, int level) {
    torch::CloseContactWindow(p);
    if (OpenWindowGuard(p)) return;
    torch::closeTorchPanel(p, torch::Silent);
    torch::PlaySound(p, QLatin1String(LevelTexts[std::size_t(level)].openingSound));
    p.state.LevelJustPassed = false;
    stopScrollingForNewText(p);
    LoadLevelText(p, level);
}

}   // namespace

const std::array<std::int32_t, 8> LevelEnds = core::LevelEnds;

QString LevelFileName(int level) { return isLevel(level) ? QLatin1String(LevelTexts[std::size_t(level)].fileName) : QString(); }

int LevelPaneHeight(int level) {
    if (!isLevel(level)) return 0;
    return LevelEnds[std::size_t(level)] + LevelTexts[std::size_t(level)].margin;
}

bool OpenWindowGuard(Program& p) {
    if (p.state.screen.JournalOpen) {
        refuse(p, "closejnl.rtf");
        return true;
    }
    if (p.state.screen.DocumentShown) {
        refuse(p, "closeman.rtf");
        return true;
    }
    return false;
}

void LoadLevelText(Program& p, int level) {
    if (!isLevel(level)) return;
    if (level == 0) stopScrollingForNewText(p);
    ui::RichTextView& pane = *p.window.readingPane;
    pane.SetText(QString());
    pane.setPaneHeight(LevelPaneHeight(level));
    pane.LoadFile(p.state.settings.CourseDir + LevelFileName(level));
    p.state.LevelShown = static_cast<std::int16_t>(level);
    state::placeLoadedText(p, 0);
    p.sys.setBusyCursor(false);
}

void onIntroductionButtonClicked(Program& p) { openLevel(p, 0); }
void onLevel1ButtonClicked(Program& p) { openLevel(p, 1); }
void onLevel2ButtonClicked(Program& p) { openLevel(p, 2); }
void onLevel3ButtonClicked(Program& p) { openLevel(p, 3); }
void onLevel4ButtonClicked(Program& p) { openLevel(p, 4); }
void onLevel5ButtonClicked(Program& p) { openLevel(p, 5); }
void onLevel6ButtonClicked(Program& p) { openLevel(p, 6); }
void onLevel7ButtonClicked(Program& p) { openLevel(p, 7); }

}   // namespace veltrin::reader
