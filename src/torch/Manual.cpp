#include "torch/Torch.h"

#include "ui/Twips.h"

namespace veltrin::torch {

namespace {

// The viewer's place over the reading area while it shows the manual, in twips.
constexpr int ViewerLeft = 2350;
constexpr int ViewerTop = 475;
constexpr int ViewerWidth = 7940;
constexpr int ViewerHeight = 5710;

void showManualLook(Program& p, bool open) {
    p.state.screen.ManualOpen = open;
    GiveLook(p, *p.window.manualButton, open ? ManualOpenLook : ManualClosedLook);
}

void openManual(Program& p) {
    ui::RichTextView& viewer = *p.window.documentViewer;
    torch::PlaySound(p, QStringLiteral("scopn"));
    ShowLookPictures(p, *p.window.manualButton, ManualOpenLook);
    showJournalFrame(p, false);
    viewer.SetText(QStringLiteral("Loading Veltrin..."));
    showDocumentViewer(p, true);
    p.sys.Yield();   // paints the message before the manual loads
    viewer.LoadFile(p.state.settings.CourseDir + QStringLiteral("veltrin.rtf"));
    showManualLook(p, true);
}

void closeManual(Program& p) {
    torch::PlaySound(p, QStringLiteral("scclo"));
    showDocumentViewer(p, false);
    showManualLook(p, false);
}

}   // namespace

// Opens or closes the manual. The viewer is placed first, since the journal report may have left it
// elsewhere. Nothing blocks a click at the yields: it runs nested and decides by whether the manual
// is open at that moment, which it is once it has loaded.
void onManualButtonClicked(Program& p) {
    CloseContactWindow(p);
    p.state.run.ScrollActive = false;
    p.window.documentViewer->setGeometry(ui::twipsRect(ViewerLeft, ViewerTop, ViewerWidth, ViewerHeight));
    p.sys.Yield();
    if (!p.state.screen.ManualOpen) openManual(p);
    else closeManual(p);
}

void ShowLookPictures(Program& p, ui::PictureButton& button, const ButtonLook& look) {
    button.loadPicture(p.state.settings.CourseDir + QLatin1String(look.picture));
    button.loadDownPicture(p.state.settings.CourseDir + QLatin1String(look.downPicture));
}

void GiveLook(Program& p, ui::PictureButton& button, const ButtonLook& look) {
    ShowLookPictures(p, button, look);
    button.setToolTipText(QLatin1String(look.toolTip));
}

void showJournalFrame(Program& p, bool open) {
    p.state.screen.JournalOpen = open;
    GiveLook(p, *p.window.journalButton, open ? JournalOpenLook : JournalClosedLook);
    p.window.journalFrame->setVisible(open);
}

void showDocumentViewer(Program& p, bool shown) {
    p.state.screen.DocumentShown = shown;
    p.window.documentViewer->setVisible(shown);
}

void showManualClosed(Program& p) { showManualLook(p, false); }

}   // namespace veltrin::torch
