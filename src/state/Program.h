#pragma once
// The program object: the shared state, the windows with their controls, and the platform.
// Every procedure and handler takes it first.
#include "core/JournalSeal.h"
#include "state/ProgramState.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"
#include "ui/SmallWindows.h"

#include <optional>
#include <vector>

namespace veltrin {

namespace state {

// A protected journal while the program runs: its key once the user has given the passphrase,
// until the journal locks again. Kept out of ProgramState: a failed operation neither gives back
// a wiped key nor takes away one that was given.
struct JournalLock {
    std::optional<core::JournalKey> key;
    int lockMinutes = 10;   // idle time after which the key is wiped
};

}   // namespace state

struct Program {
    state::ProgramState state;
    ui::MainWindow& window;
    ui::ContactWindow& contact;   // hidden stands for unloaded
    ui::SplashWindow& splash;
    ui::Platform& sys;
    state::JournalLock journalLock{};
    // What each running operation puts back when it fails, innermost last (see RunOperation).
    std::vector<state::ProgramState*> rollbackPoints{};
};

}   // namespace veltrin
