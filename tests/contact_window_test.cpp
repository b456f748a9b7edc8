// The contact window with the mute check box, its place on the screen, and the splash window.
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

TEST_F(ContactWindow, OkWithTheBoxClearedUnmutesAndSaysGoodbye) {
    state().SoundsMuted = 1;
    contact();
    about().Check1->setChecked(false);
    torch::frmAbout_Command1_Click(program());
    EXPECT_EQ(state().SoundsMuted, 0);
    EXPECT_TRUE(about().isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"stuffout"}));
}

TEST_F(ContactWindow, AUserWhoJustTickedTheBoxHearsNothingAndAHiddenWindowIsLeftAlone) {
    about().Check1->setChecked(true);
    torch::CloseContactWindow(program());
    EXPECT_EQ(state().SoundsMuted, 0);
    EXPECT_TRUE(sys.sounds.commands.isEmpty());
    contact();
    sys.sounds.commands.clear();
    about().Check1->setChecked(true);
    torch::CloseContactWindow(program());
    EXPECT_EQ(state().SoundsMuted, 1);
    EXPECT_TRUE(about().isHidden());
    EXPECT_TRUE(sys.sounds.commands.isEmpty());
}

// The offsets are taken in twips and rounded down (Int) before the window is placed in pixels.
struct ScreenPlace {
    const char* name;
    QSize screenTwips;
    QPoint place;   // pixels
};

class ContactPlace : public ContactWindow, public ::testing::WithParamInterface<ScreenPlace> {};

TEST_P(ContactPlace, StandsRightOfTheMiddleAndAboveIt) {
    sys.screen = GetParam().screenTwips;
    contact();
    EXPECT_EQ(about().pos(), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(ContactWindow, ContactPlace,
                         ::testing::Values(ScreenPlace{"Screen1024x768", {15360, 11520}, {365, 169}},
                                           // 5507.5 and 407.67 twips: rounding up would give 401 and 21
                                           ScreenPlace{"OddScreenRoundsDown", {16415, 4823}, {400, 20}},
                                           // -192.67 twips: Int gives -193, cutting off the fraction -192
                                           ScreenPlace{"ScreenLowerThanTheWindow", {16415, 3022}, {400, -20}}),
                         caseName);

TEST_F(ContactWindow, SplashClosesOnAKey) {
    shell::WireTorchControls(program());
    program().splash.show();
    QTest::keyClick(&program().splash, Qt::Key_Space);
    EXPECT_TRUE(program().splash.isHidden());
}

} // namespace
} // namespace veltrin::test
