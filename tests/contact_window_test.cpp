// The contact window with the mute check box, and the splash window.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

#include <QTest>

namespace veltrin::test {
namespace {

class ContactWindow : public CourseFixture {
protected:
    void SetUp() override { setFolders(); }
    void contact() { torch::Command20_Click(program()); }
    ui::frmAbout& about() { return program().about; }
};

// The contact button opens the window with the box showing the setting and closes it again,
// dropping a change of the box.
TEST_F(ContactWindow, ContactButtonShowsTheSettingAndDropsAChangeOfTheBox) {
    for (std::int16_t muted : {0, 1}) {
        state().SoundsMuted = muted;
        state().ScrollActive = true;
        about().Check1->setChecked(muted == 0);
        contact();
        EXPECT_FALSE(about().isHidden());
        EXPECT_EQ(about().Check1->isChecked(), muted == 1);
        EXPECT_FALSE(state().ScrollActive);
        about().Check1->setChecked(muted == 0);
        contact();
        EXPECT_TRUE(about().isHidden());
        EXPECT_EQ(state().SoundsMuted, muted);
    }
    EXPECT_EQ(sys.playedSounds(), QStringList({"stuffin", "stuffout"}));
}

// OK takes the box over before "stuffout" plays: a user who just ticked it hears nothing. A hidden
// window is left alone.
TEST_F(ContactWindow, OkTakesTheBoxOverBeforeItsSound) {
    about().Check1->setChecked(true);
    torch::CloseContactWindow(program());
    EXPECT_EQ(state().SoundsMuted, 0);
    for (const bool tick : {true, false}) {
        contact();
        about().Check1->setChecked(tick);
        torch::frmAbout_Command1_Click(program());
        EXPECT_EQ(state().SoundsMuted, tick ? 1 : 0);
        EXPECT_TRUE(about().isHidden());
    }
    EXPECT_EQ(sys.playedSounds(), QStringList({"stuffin", "stuffout"}));
}

TEST_F(ContactWindow, SplashClosesOnAKey) {
    shell::WireTorchControls(program());
    program().splash.show();
    QTest::keyClick(&program().splash, Qt::Key_Space);
    EXPECT_TRUE(program().splash.isHidden());
}

} // namespace
} // namespace veltrin::test
