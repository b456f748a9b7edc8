#include "torch/Torch.h"

#include "ui/Twips.h"

namespace veltrin::torch {

namespace {

void showContactWindow(Program& p, bool shown) {
    p.state.screen.ContactOpen = shown;
    p.contact.setVisible(shown);
}

}   // namespace

void PlaceContactWindow(Program& p) {
    const QSize screen = p.sys.screenSizeTwips();
    const int left = ui::intDiv(screen.width() - ui::toTwips(p.contact.width()), 2) + 500;
    const int top = ui::intDiv(screen.height() - ui::toTwips(p.contact.height()), 3) - 100;
    p.contact.move(ui::toPixels(left), ui::toPixels(top));
}

// Takes over the mute check box before "stuffout" plays, so a user who just ticked it hears nothing.
void CloseContactWindow(Program& p) {
    if (!p.state.screen.ContactOpen) return;
    p.state.settings.SoundsMuted = p.contact.muteBox->isChecked() ? 1 : 0;
    torch::PlaySound(p, QStringLiteral("stuffout"));
    showContactWindow(p, false);
}

// Shows or hides the contact window; hiding it here drops a change of the check box.
void onContactButtonClicked(Program& p) {
    p.state.run.ScrollActive = false;
    if (!p.state.screen.ContactOpen) {
        torch::PlaySound(p, QStringLiteral("stuffin"));
        showContactWindow(p, true);
        p.contact.muteBox->setChecked(p.state.settings.SoundsMuted != 0);
        PlaceContactWindow(p);
        ShowReminderTimes(p);
        return;
    }
    torch::PlaySound(p, QStringLiteral("stuffout"));
    showContactWindow(p, false);
}

void onContactOkClicked(Program& p) { CloseContactWindow(p); }

// Closed from the title bar: gone without a sound, and a change of the check box is dropped.
void onContactWindowClosed(Program& p) { p.state.screen.ContactOpen = false; }

void onSplashKeyPressed(Program& p) { p.splash.hide(); }

}   // namespace veltrin::torch
