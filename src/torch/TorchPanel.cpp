#include "torch/Torch.h"

#include "base/TextFile.h"

namespace veltrin::torch {

namespace {

constexpr double OpeningPause = 0.15;
constexpr double ClosingPause = 0.1;

// Torch frames 1 .. 5 in opening order.
std::array<ui::PictureBox*, 5> torchFrames(const ui::MainWindow& f) {
    return {f.torchFrame1, f.torchFrame2, f.torchFrame3, f.torchFrame4, f.torchFrame5};
}

void showFrame(Program& p, int frame) { p.window.torchPicture->setPicture(torchFrames(p.window)[std::size_t(frame - 1)]->picture()); }

// A frame of the torch stands for its pause only where it can be seen: the scroll intro that a new
// user's start opens before the window is shown goes straight to its last frame, so the first start
// is no slower than any other.
void pauseOnFrame(Program& p, double seconds) {
    if (p.window.isVisible()) p.sys.Pause(seconds);
}

// Frames 2 .. 5 of the opening, each but the last followed by a yield and a pause.
void animateOpening(Program& p, bool pauseAfterLast) {
    for (int frame = 2; frame <= 5; ++frame) {
        showFrame(p, frame);
        if (frame == 5 && !pauseAfterLast) break;
        if (frame < 5) p.sys.Yield();
        pauseOnFrame(p, OpeningPause);
    }
}

void animateClosing(Program& p) {
    for (int frame = 5; frame >= 2; --frame) {
        showFrame(p, frame);
        p.sys.Yield();
        pauseOnFrame(p, ClosingPause);
    }
    showFrame(p, 1);
}

// While the reset question waits, other documents can open (a topic, a refusal); they close with
// OK, so that Yes and No never answer a question that is not on show.
void showPanelButtons(Program& p, const QString& name) {
    const bool question = p.state.run.AskYesNo && name.compare(ResetQuestionDocument, Qt::CaseInsensitive) == 0;
    p.state.screen.ResetQuestionShown = question;
    p.window.yesButton->setVisible(question);
    p.window.noButton->setVisible(question);
    p.window.okButton->setVisible(!question);
}

// The panel counts as open from the moment the Ask Torch button goes, and as closing from the
// moment it is back: a wait for the user's OK ends there, before the closing animation.
void setTorchPanel(Program& p, state::TorchPanelState panel) {
    p.state.screen.TorchPanel = panel;
    p.window.askTorchButton->setVisible(panel != state::TorchPanelState::Open);
    if (panel == state::TorchPanelState::Closed) p.window.torchPanel->hide();
}

void openPanel(Program& p, QString& name, int& soundFlag) {
    ui::MainWindow& f = p.window;
    setTorchPanel(p, state::TorchPanelState::Open);
    f.speedBar->setEnabled(false);
    f.positionBar->setEnabled(false);
    f.topicList->show();
    f.torchPane->SetText(QString());
    showFrame(p, 1);
    f.torchPanel->show();
    if (soundFlag == WithTorchSound) {
        soundFlag = Silent;
        PlaySound(p, QStringLiteral("torch-on"));
    }
    p.sys.Yield();
    animateOpening(p, false);
    f.torchPane->show();
    if (name.toLower() == QLatin1String(".rtf")) name.clear();
    if (name.isEmpty()) return;
    f.torchPane->LoadFile(base::findIgnoringCase(p.state.settings.AppDir, name));
    f.focusTorchDocument();
}

void closePanel(Program& p, int& soundFlag) {
    ui::MainWindow& f = p.window;
    f.torchPane->hide();
    if (soundFlag == WithTorchSound) {
        soundFlag = Silent;
        PlaySound(p, QStringLiteral("torch-off"));
    }
    f.speedBar->setEnabled(true);
    f.positionBar->setEnabled(true);
    setTorchPanel(p, state::TorchPanelState::Closing);
    animateClosing(p);
    f.topicList->hide();
    setTorchPanel(p, state::TorchPanelState::Closed);
    f.newTopicMarker->hide();
    f.returnFocusFromTorch();
}

}   // namespace

void ShowTorchDocument(Program& p, QString& name, int& soundFlag) {
    showPanelButtons(p, name);
    if (!isTorchPanelOpen(p)) openPanel(p, name, soundFlag);
    else closePanel(p, soundFlag);
}

void ShowTorchDocument(Program& p, const QString& name, int soundFlag) {
    QString document = name;
    ShowTorchDocument(p, document, soundFlag);
}

void PlaySound(Program& p, const QString& name) {
    if (p.state.settings.SoundsMuted != 0) return;
    ui::SoundDevice& device = p.sys.sound();
    device.command(QStringLiteral("Close"));
    device.setFileName(p.state.settings.SoundDir + name + QStringLiteral(".wav"));
    device.command(QStringLiteral("Open"));
    device.command(QStringLiteral("Play"));
    device.command(QStringLiteral("Prev"));
}

// Opens the panel on the topic list alone, with the torch sound.
void openTorchPanelOnTopics(Program& p) {
    ui::MainWindow& f = p.window;
    setTorchPanel(p, state::TorchPanelState::Open);
    f.topicList->show();
    showFrame(p, 1);
    f.torchPanel->show();
    p.sys.Yield();
    PlaySound(p, QStringLiteral("torch-on"));
    animateOpening(p, true);
    f.topicList->show();
}

bool isTorchPanelOpen(const Program& p) { return p.state.screen.TorchPanel != state::TorchPanelState::Closed; }

void closeTorchPanel(Program& p, TorchSound sound) {
    if (isTorchPanelOpen(p)) ShowTorchDocument(p, QString(), sound);
}

void WaitForTorchClosed(Program& p) {
    while (p.state.screen.TorchPanel == state::TorchPanelState::Open) p.sys.waitForUser();
}

}   // namespace veltrin::torch
