// The contact window with the mute check box, and the splash window.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

#include <QTest>

namespace veltrin::test {
namespace {

class ContactWindow : public CourseFixture {
protected:
    void SetUp() override { setFolders(); }
    void clickContactButton() { torch::onContactButtonClicked(program()); }
    ui::ContactWindow& contact() { return program().contact; }
};

// The contact button opens the window with the box showing the setting and closes it again,
// dropping a change of the box.
TEST_F(ContactWindow, ContactButtonShowsTheSettingAndDropsAChangeOfTheBox) {
    for (std::int16_t muted : {0, 1}) {
        state().SoundsMuted = muted;
        state().ScrollActive = true;
        contact().muteBox->setChecked(muted == 0);
        clickContactButton();
        EXPECT_FALSE(contact().isHidden());
        EXPECT_EQ(contact().muteBox->isChecked(), muted == 1);
        EXPECT_FALSE(state().ScrollActive);
        contact().muteBox->setChecked(muted == 0);
        clickContactButton();
        EXPECT_TRUE(contact().isHidden());
        EXPECT_EQ(state().SoundsMuted, muted);
    }
    EXPECT_EQ(sys.playedSounds(), QStringList({"stuffin", "stuffout"}));
}

// OK takes the box over before "stuffout" plays: a user who just ticked it hears nothing. A hidden
// window is left alone.
TEST_F(ContactWindow, OkTakesTheBoxOverBeforeItsSound) {
    contact().muteBox->setChecked(true);
    torch::CloseContactWindow(program());
    EXPECT_EQ(state().SoundsMuted, 0);
    for (const bool tick : {true, false}) {
        clickContactButton();
        contact().muteBox->setChecked(tick);
        torch::onContactOkClicked(program());
        EXPECT_EQ(state().SoundsMuted, tick ? 1 : 0);
        EXPECT_TRUE(contact().isHidden());
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
