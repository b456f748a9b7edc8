#include "torch/Torch.h"

#include "ui/Twips.h"

namespace veltrin::torch {

namespace {

// The viewer's place over the reading area while it shows the manual, in twips.
constexpr int ViewerLeft = 2350;
constexpr int ViewerTop = 475;
constexpr int ViewerWidth = 7940;
constexpr int ViewerHeight = 5710;

// The journal frame closes under the manual, and its button shows that it can be opened again.
void closeJournalFrame(Program& p) {
    GiveLook(p, *p.window.journalButton, JournalClosedLook);
    p.window.journalFrame->hide();
}

void openManual(Program& p) {
    ui::RichTextView& viewer = *p.window.documentViewer;
    torch::PlaySound(p, QStringLiteral("scopn"));
    ShowLookPictures(p, *p.window.manualButton, ManualOpenLook);
    closeJournalFrame(p);
    viewer.SetText(QStringLiteral("Loading Veltrin..."));
    viewer.show();
    p.sys.Yield();   // paints the message before the manual loads
    viewer.LoadFile(p.state.settings.CourseDir + QStringLiteral("veltrin.rtf"));
    p.window.manualButton->setToolTipText(QLatin1String(ManualOpenLook.toolTip));
}

void closeManual(Program& p) {
    torch::PlaySound(p, QStringLiteral("scclo"));
    ShowLookPictures(p, *p.window.manualButton, ManualClosedLook);
    p.window.documentViewer->hide();
    p.window.manualButton->setToolTipText(QLatin1String(ManualClosedLook.toolTip));
}

}   // namespace

// Opens or closes the manual; the button's tooltip tells which. The viewer is placed first, since
// the journal report may have left it elsewhere. Nothing blocks a click at the yields: it runs
// nested and decides by the tooltip as it stands at that moment.
void onManualButtonClicked(Program& p) {
    CloseContactWindow(p);
    p.state.run.ScrollActive = false;
    p.window.documentViewer->setGeometry(ui::twipsRect(ViewerLeft, ViewerTop, ViewerWidth, ViewerHeight));
    p.sys.Yield();
    if (p.window.manualButton->toolTip() == QLatin1String(ManualClosedLook.toolTip)) openManual(p);
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

}   // namespace veltrin::torch
