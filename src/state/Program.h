#pragma once
// The program object: the shared state, the windows with their controls, and the platform.
// Every procedure and handler takes it first.
#include "state/ProgramState.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"
#include "ui/SmallWindows.h"

#include <vector>

namespace veltrin {

struct Program {
    state::ProgramState state;
    ui::MainWindow& window;
    ui::ContactWindow& contact;   // hidden stands for unloaded
    ui::SplashWindow& splash;
    ui::Platform& sys;
    // What each running operation puts back when it fails, innermost last (see RunOperation).
    std::vector<state::ProgramState*> rollbackPoints{};
};

}   // namespace veltrin
