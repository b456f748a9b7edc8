// The Torch panel: the opening and closing animations with their sounds, yields and pauses, and the
// sound device.
#include "support/CourseFixture.h"

#include "torch/Torch.h"


namespace veltrin::test {
namespace {

using torch::ShowTorchDocument;

QColor frameColour(int frame) { return QColor(40 * frame, 255 - 40 * frame, 90); }

class TorchPanel : public CourseFixture {
protected:
    // Torch frames 1 .. 5 (Picture10 .. Picture6) get pictures of distinct colours, so the timeline
    // can note the frame on show at each yield and pause.
    void SetUp() override {
        writeStartingCourse({"greetings.rtf", "NewSubject.rtf"});
        setFolders();
        const std::array<ui::PictureBox*, 5> holders{form().Picture10, form().Picture9, form().Picture8, form().Picture7, form().Picture6};
        for (int frame = 1; frame <= 5; ++frame) {
            QPixmap picture(8, 8);
            picture.fill(frameColour(frame));
            holders[std::size_t(frame - 1)]->setPicture(picture);
        }
        sys.look = [this] { return frameOnShow(); };
    }

    QString frameOnShow() {
        const QPixmap& shown = form().Picture3->picture();
        for (int frame = 1; frame <= 5; ++frame)
            if (!shown.isNull() && shown.toImage().pixelColor(0, 0) == frameColour(frame)) return QStringLiteral("frame %1").arg(frame);
        return QStringLiteral("no frame");
    }

    void openPanelQuietly() {
        ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 0);
        sys.timeline.clear();
        sys.sounds.commands.clear();
    }
};

struct Animation {
    const char* name;
    bool panelOpen;   // before the action
    void (*act)(Program&);
    QStringList timeline;
    const char* lastFrame;
};

const QStringList openingFrames{"yield at frame 1", "yield at frame 2", "pause 0.15 at frame 2", "yield at frame 3",
                                "pause 0.15 at frame 3", "yield at frame 4", "pause 0.15 at frame 4"};
const QStringList closingFrames{"yield at frame 5", "pause 0.1 at frame 5", "yield at frame 4", "pause 0.1 at frame 4",
                                "yield at frame 3", "pause 0.1 at frame 3", "yield at frame 2", "pause 0.1 at frame 2"};

const Animation animations[] = {
    {"OpeningWithFlag1", false, [](Program& p) { ShowTorchDocument(p, QStringLiteral("greetings.rtf"), 1); },
     QStringList{"sound torch-on"} + openingFrames, "frame 5"},
    {"OkButton", true, torch::Command11_Click, QStringList{"sound torch-off"} + closingFrames, "frame 1"},
    {"AskTorch", false, torch::Command10_Click,
     QStringList{"yield at no frame", "yield at frame 1", "sound torch-on"} + openingFrames.mid(1) + QStringList{"pause 0.15 at frame 5"},
     "frame 5"},
};

class TorchAnimation : public TorchPanel, public ::testing::WithParamInterface<Animation> {};

TEST_P(TorchAnimation, PlaysItsSoundsYieldsAndPausesInOrder) {
    const Animation& animation = GetParam();
    if (animation.panelOpen) openPanelQuietly();
    animation.act(program());
    EXPECT_EQ(sys.timeline, animation.timeline);
    EXPECT_EQ(frameOnShow(), animation.lastFrame);
    EXPECT_EQ(form().Command10->isHidden(), !form().Picture2->isHidden());
}

INSTANTIATE_TEST_SUITE_P(TorchPanel, TorchAnimation, ::testing::ValuesIn(animations), caseName);

// A sound is five device commands; muted (any value but 0), nothing is sent at all.
TEST_F(TorchPanel, ASoundIsFiveCommandsAndMutedSoundsSendNothing) {
    torch::PlaySound(program(), QStringLiteral("speak"));
    EXPECT_EQ(sys.sounds.commands, QStringList({"Close", "FileName " + soundDir() + "speak.wav", "Open", "Play", "Prev"}));
    sys.sounds.commands.clear();
    for (std::int16_t muted : {1, -1}) {
        state().SoundsMuted = muted;
        ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 1);
        torch::Command11_Click(program());
        torch::Command10_Click(program());
    }
    EXPECT_TRUE(sys.sounds.commands.isEmpty()) << sys.sounds.commands.join(", ").toStdString();
}

} // namespace
} // namespace veltrin::test
