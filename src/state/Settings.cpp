#include "state/State.h"

#include "base/TextFile.h"

namespace veltrin::state {

namespace {

QString settingsPath(const Program& p) { return p.state.WinDir + core::SettingsFileName; }

}   // namespace

void SaveSettings(Program& p, int stage) {
    core::Settings saved = p.state.settings;
    saved.CourseStage = std::int16_t(stage);
    base::rewriteLines(settingsPath(p), core::settingsLines(saved));
}

void applySettings(ProgramState& s, const core::Settings& settings) {
    s.settings = settings;
    s.DueLevelPos = settings.ScrollPos;
}

void ReadSettings(Program& p) {
    const QString path = settingsPath(p);
    if (!base::fileExists(path)) throw core::SettingsError(path, 0, QStringLiteral("the settings file is missing"));
    applySettings(p.state, core::parseSettings(base::readLines(path), path));
}

}   // namespace veltrin::state
