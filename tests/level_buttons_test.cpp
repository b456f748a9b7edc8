// The level buttons: what a button opens, the open-window guard, stopping a running scroll, and the
// position kept for the due level.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

namespace veltrin::test {
namespace {

class LevelButtons : public CourseFixture {};

// With the journal or the viewer open a button is refused with the matching message (over an open
// panel it only closes the panel), and text, position and scrolling are left alone.
TEST_F(LevelButtons, GuardRefusesAndLeavesTextPositionAndScrollStateAlone) {
    Program& p = startAt(0, -500, {"Greetings.rtf", "closejnl.rtf", "closeman.rtf"});
    const std::tuple<QWidget*, bool, const char*> cases[] = {
        {p.form.Frame1, false, "closejnl.rtf"}, {p.form.RichTextBox4, false, "closeman.rtf"}, {p.form.Frame1, true, "Greetings.rtf"}};
    for (const auto& [window, panelOpen, document] : cases) {
        if (panelOpen) torch::ShowTorchDocument(p, QStringLiteral("Greetings.rtf"), 0);
        window->show();
        p.state.ScrollActive = true;
        click(p.form.Command4);
        EXPECT_EQ(QFileInfo(p.form.RichTextBox2->FileName()).fileName(), document);
        EXPECT_EQ(p.form.Picture2->isHidden(), panelOpen);
        EXPECT_EQ(p.form.RichTextBox1->topEdge(), -500);
        EXPECT_EQ(p.form.VScroll2->value(), 500);
        EXPECT_TRUE(p.state.ScrollActive);
        window->hide();
        if (!p.form.Picture2->isHidden()) torch::ShowTorchDocument(p, QString(), 0);
    }
    EXPECT_EQ(sys.playedSounds(), QStringList({"resetyn", "resetyn", "resetyn"}));
}

// Icons load from the course folder; at stage -1 the button's picture is cleared, file name and all,
// while the grey icon it does not name stays.
TEST_F(LevelButtons, IconsComeFromTheCourseFolderAndAClearedPictureForgetsItsName) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELTRIN_SAMPLE_COURSE "/lessons/cbicon0.jpg"), courseDir() + "cbicon0.jpg"));
    setFolders();
    for (const std::int16_t stage : {2, 7}) {
        state().CourseStage = stage;
        torch::ShowTitle(program());
    }
    EXPECT_FALSE(form().Command1->picture().isNull());
    state().CourseStage = -1;
    torch::ShowTitle(program());
    EXPECT_EQ(form().Command1->pictureName(), "");
    EXPECT_EQ(form().Command1->disabledPictureName(), "gbicon0.jpg");
}

TEST_F(LevelButtons, ButtonWhileScrollingStopsTheLoopAndShowsTheNewTextAtItsTop) {
    Program& p = startAt(0, -500);
    afterPasses(20, [this] { click(form().Command3); });
    clickUp();
    EXPECT_EQ(sys.playedSounds(), QStringList({"scroll-on", "open0"}));
    EXPECT_EQ(sys.scrollPasses, 20);
    EXPECT_TRUE(p.form.RichTextBox1->FileName().endsWith("/veltrin2.rtf"));
    EXPECT_EQ(p.form.RichTextBox1->topEdge(), 0);
    EXPECT_EQ(p.state.ScrollPos, 0);
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
