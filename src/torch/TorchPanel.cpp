#include "torch/Torch.h"

#include "base/TextFile.h"

namespace veltrin::torch {

namespace {

constexpr double OpeningPause = 0.15;
constexpr double ClosingPause = 0.1;

// Torch frames 1 .. 5 in opening order.
std::array<ui::PictureBox*, 5> torchFrames(const ui::Form1& f) {
    return {f.Picture10, f.Picture9, f.Picture8, f.Picture7, f.Picture6};
}

void showFrame(Program& p, int frame) { p.form.Picture3->setPicture(torchFrames(p.form)[std::size_t(frame - 1)]->picture()); }

// Frames 2 .. 5 of the opening, each but the last followed by a yield and a pause.
void animateOpening(Program& p, bool pauseAfterLast) {
    for (int frame = 2; frame <= 5; ++frame) {
        showFrame(p, frame);
        if (frame == 5 && !pauseAfterLast) break;
        if (frame < 5) p.sys.Yield();
        p.sys.Pause(OpeningPause);
    }
}

void animateClosing(Program& p) {
    for (int frame = 5; frame >= 2; --frame) {
        showFrame(p, frame);
        p.sys.Yield();
        p.sys.Pause(ClosingPause);
    }
    showFrame(p, 1);
}

// While the reset question waits, other documents can open (a topic, a refusal); they close with
// OK, so that Yes and No never answer a question that is not on show.
void showPanelButtons(Program& p, const QString& name) {
    const bool question = p.state.AskYesNo && name.compare(ResetQuestionDocument, Qt::CaseInsensitive) == 0;
    p.form.Command18->setVisible(question);
    p.form.Command12->setVisible(question);
    p.form.Command11->setVisible(!question);
}

void openPanel(Program& p, QString& name, int& soundFlag) {
    ui::Form1& f = p.form;
    f.Command10->hide();
    f.VScroll1->setEnabled(false);
    f.VScroll2->setEnabled(false);
    f.Combo1->show();
    f.RichTextBox2->SetText(QString());
    showFrame(p, 1);
    f.Picture2->show();
    if (soundFlag == 1) {
        soundFlag = 0;
        PlaySound(p, QStringLiteral("torch-on"));
    }
    p.sys.Yield();
    animateOpening(p, false);
    f.RichTextBox2->show();
    if (name.toLower() == QLatin1String(".rtf")) name.clear();
    if (!name.isEmpty()) f.RichTextBox2->LoadFile(base::findIgnoringCase(p.state.AppDir, name));
}

void closePanel(Program& p, int& soundFlag) {
    ui::Form1& f = p.form;
    f.RichTextBox2->hide();
    if (soundFlag == 1) {
        soundFlag = 0;
        PlaySound(p, QStringLiteral("torch-off"));
    }
    f.VScroll1->setEnabled(true);
    f.VScroll2->setEnabled(true);
    f.Command10->show();
    animateClosing(p);
    f.Combo1->hide();
    f.Picture2->hide();
    f.Picture11->hide();
}

} // namespace

void WriteGeneratedDocument(const QString& path, const QStringList& body) {
    base::rewriteLines(path, QStringList{DocumentHeader} + body + QStringList{QStringLiteral("}")});
}

void ShowTorchDocument(Program& p, QString& name, int& soundFlag) {
    showPanelButtons(p, name);
    if (p.form.Picture2->isHidden()) openPanel(p, name, soundFlag);
    else closePanel(p, soundFlag);
}

void ShowTorchDocument(Program& p, const QString& name, int soundFlag) {
    QString document = name;
    ShowTorchDocument(p, document, soundFlag);
}

void PlaySound(Program& p, const QString& name) {
    if (p.state.SoundsMuted != 0) return;
    ui::SoundDevice& device = p.sys.sound();
    device.command(QStringLiteral("Close"));
    device.setFileName(p.state.SoundDir + name + QStringLiteral(".wav"));
    device.command(QStringLiteral("Open"));
    device.command(QStringLiteral("Play"));
    device.command(QStringLiteral("Prev"));
}

// Ask Torch: opens the panel on the topic list, without a document.
void Command10_Click(Program& p) {
    ui::Form1& f = p.form;
    CloseContactWindow(p);
    p.state.ScrollActive = false;
    p.sys.Yield();
    f.RichTextBox2->hide();
    f.Command18->hide();
    f.Command12->hide();
    f.Command11->show();
    f.Combo1->setEditText(QString());
    if (!f.Picture2->isHidden()) return;
    f.Command10->hide();
    f.Combo1->show();
    showFrame(p, 1);
    f.Picture2->show();
    p.sys.Yield();
    PlaySound(p, QStringLiteral("torch-on"));
    animateOpening(p, true);
    f.Combo1->show();
}

void Command11_Click(Program& p) {
    CloseContactWindow(p);
    p.state.AskYesNo = false;
    ShowTorchDocument(p, QString(), 1);
}

} // namespace veltrin::torch
