// The level buttons, the open-window guard and LoadLevelText: what a button opens, what the guard
// leaves untouched, stopping a running scroll, and the position kept for the due level.
#include "support/CourseFixture.h"

#include "reader/Reader.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

class LevelButtons : public CourseFixture {};

struct ButtonCase {
    const char* name;
    int level;
    const char* sound;
};

class LevelButton : public CourseFixture, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(LevelButton, OpensItsOwnTextAtTheTopWithItsSound) {
    const ButtonCase c = GetParam();
    Program& p = startAt(0, -500, {"Greetings.rtf"});
    torch::ShowTorchDocument(p, QStringLiteral("Greetings.rtf"), 0);   // closed without a sound
    p.state.LevelJustPassed = true;
    click(p.form.levelButton(c.level));
    EXPECT_EQ(sys.playedSounds(), QStringList{c.sound});
    EXPECT_TRUE(p.form.Picture2->isHidden());
    EXPECT_EQ(p.state.LevelShown, c.level);
    EXPECT_TRUE(p.form.RichTextBox1->FileName().endsWith(reader::LevelFileName(c.level)));
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), 0);
    EXPECT_EQ(p.form.RichTextBox1->height(), reader::LevelPaneHeight(c.level));
    EXPECT_EQ(p.form.VScroll2->maximum(), reader::LevelPaneHeight(c.level));
    EXPECT_EQ(p.form.VScroll2->value(), 0);
    EXPECT_EQ(p.state.ScrollPos, 0);
    EXPECT_EQ(p.state.DueLevelPos, -500);
    EXPECT_FALSE(p.state.LevelJustPassed);
    EXPECT_FALSE(sys.busyCursor);
}

INSTANTIATE_TEST_SUITE_P(Buttons, LevelButton,
                         ::testing::Values(ButtonCase{"Level3", 3, "open0"}, ButtonCase{"Level4", 4, "open1"}), caseName);

struct GuardCase {
    const char* name;
    bool journalOpen;   // else the viewer
    bool panelOpen;     // the Torch panel is open: the guard only closes it
    const char* document;
};

class LevelGuard : public CourseFixture, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(LevelGuard, RefusesAndLeavesTextPositionAndScrollStateAlone) {
    const GuardCase c = GetParam();
    Program& p = startAt(0, -500, {"Greetings.rtf", "closejnl.rtf", "closeman.rtf"});
    if (c.panelOpen) torch::ShowTorchDocument(p, QStringLiteral("Greetings.rtf"), 0);
    (c.journalOpen ? static_cast<QWidget*>(p.form.Frame1) : p.form.RichTextBox4)->show();
    p.state.ScrollActive = true;
    click(p.form.Command4);
    EXPECT_EQ(sys.playedSounds(), QStringList{"resetyn"});
    EXPECT_EQ(QFileInfo(p.form.RichTextBox2->FileName()).fileName(), c.document);
    EXPECT_EQ(p.form.Picture2->isHidden(), c.panelOpen);
    EXPECT_EQ(p.state.LevelShown, 1);
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), -500);
    EXPECT_EQ(p.state.ScrollPos, -500);
    EXPECT_EQ(p.form.VScroll2->value(), 500);
    EXPECT_TRUE(p.state.ScrollActive);
}

INSTANTIATE_TEST_SUITE_P(OpenWindows, LevelGuard,
                         ::testing::Values(GuardCase{"Journal", true, false, "closejnl.rtf"},
                                           GuardCase{"Viewer", false, false, "closeman.rtf"},
                                           GuardCase{"JournalUnderTheTorchPanel", true, true, "Greetings.rtf"}),
                         caseName);

TEST_F(LevelButtons, ButtonWhileScrollingStopsTheLoopAndShowsTheNewTextAtItsTop) {
    Program& p = startAt(0, -500);
    afterPasses(20, [this] { click(form().Command3); });
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "open0"}));
    EXPECT_FALSE(p.state.ScrollActive);
    EXPECT_EQ(sys.scrollPasses, 20);
    EXPECT_EQ(p.state.LevelShown, 2);
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), 0);
    EXPECT_EQ(p.state.ScrollPos, 0);
    EXPECT_EQ(p.form.VScroll2->value(), 0);
}

TEST_F(LevelButtons, LevelOutsideTheCourseLoadsNothing) {
    Program& p = startAt(0, -500);
    for (const int level : {8, -1}) {
        reader::LoadLevelText(p, level);
        EXPECT_EQ(p.state.LevelShown, 1);
        EXPECT_EQ(p.state.ScrollPos, -500);
        EXPECT_EQ(p.form.RichTextBox1->topEdge(), -500);
        EXPECT_TRUE(p.form.RichTextBox1->FileName().endsWith(QLatin1String("veltrin1.rtf")));
    }
}

// Reading in another level moves neither DueLevelPos nor what the exit saves.
TEST_F(LevelButtons, ExitSavesThePositionOfTheDueLevelNotOfTheLevelOnShow) {
    Program& p = startAt(0, -500);
    click(p.form.Command3);
    p.form.VScroll2->setValue(300);
    afterPasses(40);
    clickUp();
    ASSERT_LT(p.state.ScrollPos, -300);
    EXPECT_THROW(shell::Form_Unload(p), ProgramEnded);
    EXPECT_EQ(settingsLine(6), "-500");
}

} // namespace
} // namespace veltrin::test
