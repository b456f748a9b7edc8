#include "torch/Torch.h"

#include "ui/Twips.h"

namespace veltrin::torch {

void PlaceContactWindow(Program& p) {
    const QSize screen = p.sys.screenSizeTwips();
    const int left = ui::intDiv(screen.width() - ui::toTwips(p.about.width()), 2) + 500;
    const int top = ui::intDiv(screen.height() - ui::toTwips(p.about.height()), 3) - 100;
    p.about.move(ui::toPixels(left), ui::toPixels(top));
}

// Takes over the mute check box before "stuffout" plays, so a user who just ticked it hears nothing.
void CloseContactWindow(Program& p) {
    if (p.about.isHidden()) return;
    p.state.SoundsMuted = p.about.Check1->isChecked() ? 1 : 0;
    PlaySound(p, QStringLiteral("stuffout"));
    p.about.hide();
}

// Shows or hides the contact window; hiding it here drops a change of the check box.
void Command20_Click(Program& p) {
    p.state.ScrollActive = false;
    if (p.about.isHidden()) {
        PlaySound(p, QStringLiteral("stuffin"));
        p.about.show();
        p.about.Check1->setChecked(p.state.SoundsMuted != 0);
        PlaceContactWindow(p);
        return;
    }
    PlaySound(p, QStringLiteral("stuffout"));
    p.about.hide();
}

void frmAbout_Command1_Click(Program& p) { CloseContactWindow(p); }

void frmSplash_KeyPress(Program& p) { p.splash.hide(); }

} // namespace veltrin::torch
