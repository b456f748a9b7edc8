#include "shell/Wire.h"

#include "torch/Torch.h"

namespace veltrin::shell {

void WireTorchControls(Program& p) {
    ui::Form1& f = p.form;
    on(p, f.Command10, &QAbstractButton::clicked, torch::Command10_Click);
    on(p, f.Command11, &QAbstractButton::clicked, torch::Command11_Click);
    on(p, f.Command12, &QAbstractButton::clicked, torch::Command12_Click);
    on(p, f.Command18, &QAbstractButton::clicked, torch::Command18_Click);
    on(p, f.Command19, &QAbstractButton::clicked, torch::Command19_Click);
    on(p, f.Command14, &QAbstractButton::clicked, torch::Command14_Click);
    on(p, f.Command20, &QAbstractButton::clicked, torch::Command20_Click);
    on(p, f.Combo1, &QComboBox::activated, torch::Combo1_Click);
    on(p, p.about.Command1, &QAbstractButton::clicked, torch::frmAbout_Command1_Click);
    on(p, &p.splash, &ui::frmSplash::keyPressed, torch::frmSplash_KeyPress);
}

} // namespace veltrin::shell
