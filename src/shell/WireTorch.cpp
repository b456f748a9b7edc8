#include "shell/Wire.h"

#include "torch/Torch.h"

namespace veltrin::shell {

void WireTorchControls(Program& p) {
    ui::MainWindow& f = p.window;
    on(p, f.askTorchButton, &QAbstractButton::clicked, torch::onAskTorchClicked);
    on(p, f.okButton, &QAbstractButton::clicked, torch::onOkClicked);
    on(p, f.noButton, &QAbstractButton::clicked, shell::onNoClicked);
    on(p, f.yesButton, &QAbstractButton::clicked, shell::onYesClicked);
    on(p, f.eraseButton, &QAbstractButton::clicked, shell::onEraseClicked);
    on(p, f.manualButton, &QAbstractButton::clicked, torch::onManualButtonClicked);
    on(p, f.contactButton, &QAbstractButton::clicked, torch::onContactButtonClicked);
    on(p, f.topicList, &QComboBox::activated, torch::onTopicPicked);
    on(p, p.contact.okButton, &QAbstractButton::clicked, torch::onContactOkClicked);
    on(p, p.contact.reminderButton, &QAbstractButton::clicked, torch::onReminderTimesSet);
    on(p, &p.contact, &ui::ContactWindow::closedByUser, torch::onContactWindowClosed);
    on(p, &p.splash, &ui::SplashWindow::keyPressed, torch::onSplashKeyPressed);
}

}   // namespace veltrin::shell
