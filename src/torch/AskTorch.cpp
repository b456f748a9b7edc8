#include "torch/Torch.h"

namespace veltrin::torch {

// Ask Torch: opens the panel on the topic list, without a document.
void onAskTorchClicked(Program& p) {
    ui::MainWindow& f = p.window;
    CloseContactWindow(p);
    p.state.ScrollActive = false;
    p.sys.Yield();
    f.torchPane->hide();
    f.yesButton->hide();
    f.noButton->hide();
    f.okButton->show();
    f.topicList->setEditText(QString());
    if (state::isTorchPanelOpen(p)) return;
    state::openTorchPanelOnTopics(p);
}

void onOkClicked(Program& p) {
    CloseContactWindow(p);
    p.state.AskYesNo = false;
    state::ShowTorchDocument(p, QString(), state::WithTorchSound);
}

}   // namespace veltrin::torch
