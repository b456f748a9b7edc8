#include "support/TorchFixture.h"

#include "torch/Torch.h"

namespace veltrin::test {

namespace {

std::array<ui::PictureBox*, 5> frameHolders(const ui::Form1& form) {
    return {form.Picture10, form.Picture9, form.Picture8, form.Picture7, form.Picture6};
}

QColor frameColour(int frame) { return QColor(40 * frame, 255 - 40 * frame, 90); }

} // namespace

void FrameWatch::Yield() {
    timeline << QStringLiteral("yield at ") + look();
    TestPlatform::Yield();
}

void FrameWatch::Pause(double seconds) {
    TestPlatform::Pause(seconds);
    timeline.last() += QStringLiteral(" at ") + look();
}

void paintTorchFrames(ui::Form1& form) {
    int frame = 1;
    for (ui::PictureBox* holder : frameHolders(form)) {
        QPixmap picture(8, 8);
        picture.fill(frameColour(frame++));
        holder->setPicture(picture);
    }
}

QString frameOnShow(const ui::Form1& form) {
    const QPixmap& shown = form.Picture3->picture();
    if (shown.isNull()) return QStringLiteral("no frame");
    const QColor colour = shown.toImage().pixelColor(0, 0);
    for (int frame = 1; frame <= 5; ++frame)
        if (colour == frameColour(frame)) return QStringLiteral("frame %1").arg(frame);
    return QStringLiteral("an unknown picture");
}

TorchFixture::TorchFixture() {
    p.state.AppDir = appDir();
    p.state.CourseDir = courseDir();
    p.state.SoundDir = soundDir();
    paintTorchFrames(form);
    watch.look = [this] { return frameOnShow(form); };
}

void TorchFixture::openPanelQuietly(const QString& document) {
    torch::ShowTorchDocument(p, document, 0);
    watch.timeline.clear();
    watch.sounds.commands.clear();
}

void TorchFixture::expectAskTorchInvariant() const {
    EXPECT_EQ(form.Command10->isHidden(), !form.Picture2->isHidden()) << "Ask Torch and the Torch panel both "
                                                                        << (form.Command10->isHidden() ? "hidden" : "visible");
}

} // namespace veltrin::test
