#include "shell/Wire.h"

namespace veltrin::shell {

void WireControls(Program& p) {
    WireReaderControls(p);
    WireTorchControls(p);
    WireJournalControls(p);
    WireKeys(p);
    on(p, &p.window, &ui::MainWindow::unloading, onWindowClosed);
    on(p, &p.window, &ui::MainWindow::lostFocus, onFocusLost);
    on(p, p.window.exitButton, &QAbstractButton::clicked, onExitClicked);
}

}   // namespace veltrin::shell
