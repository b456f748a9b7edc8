#include "journal/Journal.h"

#include "journal/JournalParts.h"

#include "base/TextFile.h"
#include "torch/Torch.h"

namespace veltrin::journal {

namespace {

void openJournalFrame(Program& p) {
    showProtection(p);
    torch::PlaySound(p, QStringLiteral("opnjnl"));
    torch::showManualClosed(p);
    enableScrollBars(p, false);
    showOnThisDay(p);
    torch::showJournalFrame(p, true);
}

// The View Journal button keeps its caption: a report left open is only hidden.
void closeJournalFrame(Program& p) {
    torch::PlaySound(p, QStringLiteral("closjnl"));
    torch::showJournalFrame(p, false);
    enableScrollBars(p, true);
}

}   // namespace

void showReportOpen(Program& p, bool open) {
    p.state.screen.ReportOpen = open;
    p.window.viewJournalButton->setText(open ? CloseJournalCaption : ViewJournalCaption);
}

void enableScrollBars(Program& p, bool enabled) {
    p.window.speedBar->setEnabled(enabled);
    p.window.positionBar->setEnabled(enabled);
}

// Whether the frame is open is looked at after the yield: a click handled there may have changed it.
void onJournalButtonClicked(Program& p) {
    torch::CloseContactWindow(p);
    torch::showDocumentViewer(p, false);
    p.state.run.ScrollActive = false;
    p.sys.Yield();
    if (p.state.screen.JournalOpen) closeJournalFrame(p);
    else if (unlockJournalIfSealed(p)) openJournalFrame(p);
}

// Done: closes the frame and the report whether or not either is on show.
void onDoneClicked(Program& p) {
    torch::CloseContactWindow(p);
    torch::PlaySound(p, QStringLiteral("closjnl"));
    showReportOpen(p, false);
    torch::showJournalFrame(p, false);
    torch::showDocumentViewer(p, false);
    enableScrollBars(p, true);
}

// A picked subject shows its reference document when a line of the subject list is exactly the
// subject; the whole list is read, and it changes no stored data.
void onSubjectPicked(Program& p) {
    torch::closeTorchPanel(p, torch::Silent);
    const QString subject = p.window.subjectBox->currentText();
    const QStringList subjectList = base::readLines(p.state.settings.AppDir + SubjectListName);
    if (subjectList.contains(subject)) torch::ShowTorchDocument(p, subject + QStringLiteral(".rtf"), 1);
}

}   // namespace veltrin::journal
