#include "journal/Journal.h"

#include "journal/JournalParts.h"

#include "base/TextFile.h"
#include "torch/Torch.h"

namespace veltrin::journal {

namespace {

void openJournalFrame(Program& p) {
    torch::PlaySound(p, QStringLiteral("opnjnl"));
    torch::GiveLook(p, *p.form.Command13, torch::JournalOpenLook);
    torch::GiveLook(p, *p.form.Command14, torch::ManualClosedLook);
    enableScrollBars(p, false);
    p.form.Frame1->show();
}

// The View Journal button keeps its caption: a report left open is only hidden.
void closeJournalFrame(Program& p) {
    torch::PlaySound(p, QStringLiteral("closjnl"));
    torch::GiveLook(p, *p.form.Command13, torch::JournalClosedLook);
    p.form.Frame1->hide();
    enableScrollBars(p, true);
}

} // namespace

void enableScrollBars(Program& p, bool enabled) {
    p.form.VScroll1->setEnabled(enabled);
    p.form.VScroll2->setEnabled(enabled);
}

void closeTorchPanelSilently(Program& p) {
    if (!p.form.Picture2->isHidden()) torch::ShowTorchDocument(p, QString(), 0);
}

// The frame's visibility is looked at after the yield: a click handled there may have changed it.
void Command13_Click(Program& p) {
    torch::CloseContactWindow(p);
    p.form.RichTextBox4->hide();
    p.state.ScrollActive = false;
    p.sys.Yield();
    if (p.form.Frame1->isHidden()) openJournalFrame(p);
    else closeJournalFrame(p);
}

// Done: closes the frame and the report whether or not either is on show.
void Command16_Click(Program& p) {
    torch::CloseContactWindow(p);
    torch::PlaySound(p, QStringLiteral("closjnl"));
    torch::GiveLook(p, *p.form.Command13, torch::JournalClosedLook);
    p.form.Command15->setText(ViewJournalCaption);
    p.form.Frame1->hide();
    p.form.RichTextBox4->hide();
    enableScrollBars(p, true);
}

// A picked subject shows its reference document when a line of the subject list is exactly the
// subject; the whole list is read, and it changes no stored data.
void Combo2_Click(Program& p) {
    closeTorchPanelSilently(p);
    const QString subject = p.form.Combo2->currentText();
    const QStringList subjectList = base::readLines(p.state.AppDir + SubjectListName);
    if (subjectList.contains(subject)) torch::ShowTorchDocument(p, subject + QStringLiteral(".rtf"), 1);
}

} // namespace veltrin::journal
