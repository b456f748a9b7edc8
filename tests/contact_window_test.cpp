// The contact window with the mute check box, and the splash window.
#include "support/TorchFixture.h"

#include "torch/Torch.h"

#include <QTest>

namespace veltrin::test {
namespace {

class ContactWindow : public TorchFixture {};

TEST_F(ContactWindow, OpensWithTheBoxShowingTheMuteSetting) {
    for (std::int16_t muted : {0, 1}) {
        p.state.SoundsMuted = muted;
        p.state.ScrollActive = true;
        about.Check1->setChecked(muted == 0);
        torch::Command20_Click(p);
        EXPECT_FALSE(about.isHidden());
        EXPECT_EQ(about.Check1->isChecked(), muted == 1);
        EXPECT_FALSE(p.state.ScrollActive);
        torch::Command20_Click(p);
    }
    EXPECT_EQ(watch.playedSounds(), QStringList({"stuffin", "stuffout"}));
}

TEST_F(ContactWindow, ClearingTheBoxAndPressingOkUnmutesAndSaysGoodbye) {
    p.state.SoundsMuted = 1;
    torch::Command20_Click(p);
    about.Check1->setChecked(false);
    torch::frmAbout_Command1_Click(p);
    EXPECT_EQ(p.state.SoundsMuted, 0);
    EXPECT_TRUE(about.isHidden());
    EXPECT_EQ(watch.playedSounds(), QStringList({"stuffout"}));
}

TEST_F(ContactWindow, AUserWhoJustTickedTheBoxHearsNothing) {
    torch::Command20_Click(p);
    watch.sounds.commands.clear();
    about.Check1->setChecked(true);
    torch::CloseContactWindow(p);
    EXPECT_EQ(p.state.SoundsMuted, 1);
    EXPECT_TRUE(about.isHidden());
    EXPECT_TRUE(watch.sounds.commands.isEmpty());
}

TEST_F(ContactWindow, ClosingAHiddenWindowDoesNothing) {
    about.Check1->setChecked(true);
    torch::CloseContactWindow(p);
    EXPECT_EQ(p.state.SoundsMuted, 0);
    EXPECT_TRUE(watch.sounds.commands.isEmpty());
}

TEST_F(ContactWindow, TheContactButtonDropsAChangeOfTheBox) {
    torch::Command20_Click(p);
    about.Check1->setChecked(true);
    torch::Command20_Click(p);
    EXPECT_TRUE(about.isHidden());
    EXPECT_EQ(p.state.SoundsMuted, 0);
    EXPECT_EQ(watch.playedSounds(), QStringList({"stuffin", "stuffout"}));
    torch::Command20_Click(p);
    EXPECT_FALSE(about.Check1->isChecked()) << "the window starts again from the mute setting";
}

TEST_F(ContactWindow, NamesTheDistributorTwice) {
    EXPECT_EQ(about.Text1->toPlainText().count(QLatin1String(ui::DistributorAddress)), 2);
    EXPECT_EQ(about.windowTitle(), "Veltrin Contact Info");
    EXPECT_EQ(about.Check1->text(), "Mute Veltrin Sounds");
    EXPECT_EQ(about.Command1->text(), "OK");
}

// Where the contact window stands on screens of a few sizes: the offsets are taken in twips and
// rounded down (Int) before the window is placed in pixels.
struct ScreenPlace {
    const char* name;
    QSize screenTwips;
    QPoint place;   // pixels
};

const ScreenPlace screenPlaces[] = {
    {"Screen1024x768", {15360, 11520}, {365, 169}},
    // (16415 - 5400) / 2 = 5507.5 and (4823 - 3600) / 3 = 407.67: rounding up would give 401 and 21
    {"OddScreenRoundsDown", {16415, 4823}, {400, 20}},
    // (3022 - 3600) / 3 = -192.67: Int gives -193, cutting off the fraction would give -192 (-19 px)
    {"ScreenLowerThanTheWindow", {16415, 3022}, {400, -20}},
};

class ContactPlace : public ContactWindow, public ::testing::WithParamInterface<ScreenPlace> {};

TEST_P(ContactPlace, StandsRightOfTheMiddleAndAboveIt) {
    watch.screen = GetParam().screenTwips;
    torch::Command20_Click(p);
    EXPECT_EQ(about.pos(), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(ContactWindow, ContactPlace, ::testing::ValuesIn(screenPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContactWindow, SplashShowsNameVersionAndLinesOfItsOwn) {
    EXPECT_EQ(splash.lblPlatform->text(), "Veltrin");
    EXPECT_EQ(splash.lblVersion->text(), "Version 3.0");
    EXPECT_EQ(splash.Label1->text(), ui::DistributorAddress);
    const QStringList own{splash.lblCopyright->text(), splash.Label2->text()};
    for (const QString& line : own) EXPECT_GT(line.size(), 20) << line.toStdString();
    EXPECT_NE(own[0], own[1]);
}

TEST_F(ContactWindow, SplashClosesOnAKey) {
    QObject::connect(&splash, &ui::frmSplash::keyPressed, &splash, [this] { torch::frmSplash_KeyPress(p); });
    splash.show();
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_TRUE(splash.isHidden());
}

} // namespace
} // namespace veltrin::test
