#include "torch/Torch.h"

namespace veltrin::torch {

namespace {

// Titles of stages -1 .. 14; any other stage counts as -1.
constexpr std::array<const char*, 16> Titles{
    "Ascendant",
    "Explorer of the Inner Realm",
    "Level One Operative of the Inner Realm",
    "Level Two Operative of the Inner Realm",
    "Level Three Operative of the Inner Realm",
    "Level Four Operative of the Inner Realm",
    "Level Five Operative of the Inner Realm",
    "Level Six Operative of the Inner Realm",
    "Level Seven Operative of the Inner Realm",
    "Level One Commander of the Inner Realm",
    "Level Two Commander of the Inner Realm",
    "Level Three Commander of the Inner Realm",
    "Level Four Commander of the Inner Realm",
    "Level Five Commander of the Inner Realm",
    "Level Six Commander of the Inner Realm",
    "Level Seven Commander of the Inner Realm",
};

// Caption of a level button whose level is not completed yet (levels 1 .. 7; the Introduction is "Key").
constexpr std::array<const char*, 8> LevelWords{
    "Key", "Level One", "Level Two", "Level Three", "Level Four", "Level Five", "Level Six", "Level Seven",
};

QString icon(const Program& p, const char* set, int level) {
    return p.state.settings.CourseDir + QLatin1String(set) + QString::number(level) + QStringLiteral(".jpg");
}

void setButton(ui::PictureButton& button, const QString& caption, bool enabled) {
    button.setText(caption);
    button.setEnabled(enabled);
}

void showFirstPassButtons(Program& p, int stage) {
    for (int level = 0; level < 8; ++level) {
        ui::PictureButton& button = *p.window.levelButton(level);
        if (level <= stage) {
            setButton(button, QString(), false);
            button.loadDisabledPicture(icon(p, "gbicon", level));
        } else {
            setButton(button, QLatin1String(LevelWords[std::size_t(level)]), level == stage + 1);
        }
    }
}

// The finished course's due level, 8, opens every level as the last one did.
void showSecondPassButtons(Program& p, core::Stage stage) {
    const int due = stage.dueLevel();
    for (int level = 0; level < 8; ++level) {
        ui::PictureButton& button = *p.window.levelButton(level);
        const bool open = level <= due;
        setButton(button, QString(), open);
        if (open) button.loadPicture(icon(p, "cbicon", level));
        else button.loadDisabledPicture(icon(p, "gbicon", level));
    }
}

void showStartButtons(Program& p) {
    for (int level = 0; level < 8; ++level) {
        ui::PictureButton& button = *p.window.levelButton(level);
        button.clearPicture();
        setButton(button, QLatin1String(LevelWords[std::size_t(level)]), level == 0);
    }
}

}   // namespace

void ShowTitle(Program& p) {
    const core::Stage stage = core::Stage(p.state.settings.CourseStage).shown();
    p.state.TitleText = QLatin1String(Titles[stage.column()]);
    switch (stage.pass()) {
    case core::Pass::Introduction: showStartButtons(p); break;
    case core::Pass::First: showFirstPassButtons(p, stage.value()); break;
    case core::Pass::Second:
    case core::Pass::Finished: showSecondPassButtons(p, stage); break;
    }
}

}   // namespace veltrin::torch
