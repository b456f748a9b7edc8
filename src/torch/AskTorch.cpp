#include "torch/Torch.h"

namespace veltrin::torch {

// Ask Torch: opens the panel on the topic list, without a document.
void onAskTorchClicked(Program& p) {
    ui::MainWindow& f = p.window;
    CloseContactWindow(p);
    p.state.run.ScrollActive = false;
    p.sys.Yield();
    f.torchPane->hide();
    f.yesButton->hide();
    f.noButton->hide();
    f.okButton->show();
    f.topicList->setEditText(QString());
    if (torch::isTorchPanelOpen(p)) return;
    torch::openTorchPanelOnTopics(p);
}

void onOkClicked(Program& p) {
    CloseContactWindow(p);
    p.state.run.AskYesNo = false;
    torch::ShowTorchDocument(p, QString(), torch::WithTorchSound);
}

}   // namespace veltrin::torch
