#pragma once
// The Torch tests' program: a fresh course folder as in CourseFixture, and a platform that watches
// the torch animation.
#include "shell/Program.h"
#include "support/CourseFixture.h"

#include <QPixmap>

namespace veltrin::test {

// A test platform that also notes every yield and pause in the timeline together with the torch
// frame on show at that moment, so a test can hold the whole animation: "yield at frame 2",
// "pause 0.15 at frame 2".
class FrameWatch : public TestPlatform {
public:
    // What the timeline notes at each yield and pause; the fixture shows the torch picture's frame.
    std::function<QString()> look = [] { return QStringLiteral("?"); };

    void Yield() override;
    void Pause(double seconds) override;
};

// Gives torch frames 1 .. 5 (Picture10 .. Picture6) pictures of distinct colours.
void paintTorchFrames(ui::Form1& form);
// "frame N" for the frame whose picture the torch picture shows, "no frame" when none does.
QString frameOnShow(const ui::Form1& form);

// A program over the watching platform, with the course's folders set and distinct torch frames.
class TorchFixture : public CourseFixture {
protected:
    TorchFixture();

    // The panel opened (with `document`, flag 0) and the timeline cleared.
    void openPanelQuietly(const QString& document = {});
    // Ask Torch is visible exactly when the panel is hidden.
    void expectAskTorchInvariant() const;

    FrameWatch watch;
    ui::Form1 form;
    ui::frmAbout about;
    ui::frmSplash splash;
    Program p{{}, form, about, splash, watch};
};

} // namespace veltrin::test
