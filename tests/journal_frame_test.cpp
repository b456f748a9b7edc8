// The journal frame: the journal button's two looks, Done, the subject pick and the Inner
// Snapshot's rank mapping, driven through the controls.
#include "support/CourseFixture.h"

#include "journal/JournalStore.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

class JournalFrame : public CourseFixture {
protected:
    void SetUp() override { openJournal(); }
    void expectLook(const ui::PictureButton& button, const char* picture, const char* toolTip) {
        EXPECT_EQ(button.pictureName(), picture);
        EXPECT_EQ(button.toolTip(), toolTip);
    }
};

// The journal button closes the viewer, and the frame; it hides an open report, which keeps its
// caption; Done closes frame and report and resets the caption, even on a closed frame.
TEST_F(JournalFrame, JournalButtonAndDoneWithTheReportCaption) {
    form().RichTextBox4->show();
    form().Command14->setToolTipText("Close the Veltrin Manual");
    state().ScrollActive = true;
    click(form().Command13);
    EXPECT_FALSE(state().ScrollActive);
    EXPECT_FALSE(form().Frame1->isHidden());
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    expectLook(*form().Command13, "wood3-jrnl-clos-up.jpg", "Close Journal");
    expectLook(*form().Command14, "wood3-book-opn-up.jpg", "Open the Veltrin Manual");
    EXPECT_FALSE(form().VScroll1->isEnabled() || form().VScroll2->isEnabled());
    click(form().Command15);
    click(form().Command13);
    EXPECT_TRUE(form().Frame1->isHidden());
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    expectLook(*form().Command13, "wood3-jrnl-opn-up.jpg", "Make a Journal Entry");
    EXPECT_TRUE(form().VScroll1->isEnabled() && form().VScroll2->isEnabled());
    click(form().Command13);
    EXPECT_EQ(form().Command15->text(), "Close Journal");
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    click(form().Command16);
    EXPECT_TRUE(form().Frame1->isHidden());
    EXPECT_EQ(form().Command15->text(), "View Journal");
    expectLook(*form().Command13, "wood3-jrnl-opn-up.jpg", "Make a Journal Entry");
    click(form().Command16);
    EXPECT_EQ(sys.playedSounds(), QStringList({"opnjnl", "xitjnl", "closjnl", "opnjnl", "closjnl", "closjnl"}));
}

// A pick of a listed subject closes an open panel silently, then shows its document with the torch
// sound; a pick differing only in case shows nothing; without a subject list the user is told.
TEST_F(JournalFrame, PickingASubjectMatchesTheListExactly) {
    torch::ShowTorchDocument(program(), QStringLiteral("er-1.rtf"), 0);
    form().Combo2->setCurrentText("Thought");
    emit form().Combo2->activated(form().Combo2->currentIndex());
    EXPECT_FALSE(form().Picture2->isHidden());
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith("/Thought.rtf"));
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on"}));
    torch::ShowTorchDocument(program(), QString(), 0);
    form().Combo2->setEditText("openness");
    emit form().Combo2->activated(0);
    EXPECT_TRUE(form().Picture2->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on"}));
    QFile::remove(appDir() + "mission.ndx");
    form().Combo2->setCurrentText("Openness");
    emit form().Combo2->activated(form().Combo2->currentIndex());
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("mission.ndx"));
    EXPECT_TRUE(form().Picture2->isHidden());
}

// An option gives the rank of its place, not of its number; every other category is ranked 3, so
// the option under test decides its own category alone.
TEST_F(JournalFrame, OptionGivesTheRankOfItsPlace) {
    struct { int option; std::size_t category; int rank; } const cases[] = {
        {1, 0, 1}, {6, 1, 5}, {10, 1, 1}, {17, 3, 4}, {26, 5, 5}, {35, 6, 1}};
    for (const auto& c : cases) {
        rankSnapshot({3, 3, 3, 3, 3, 3, 3});
        form().Option[std::size_t(c.option)]->setChecked(true);
        std::array<int, 7> expected{3, 3, 3, 3, 3, 3, 3};
        expected[c.category] = c.rank;
        EXPECT_EQ(journal::snapshotRanks(form()), std::optional(expected)) << "Option" << c.option;
    }
}

} // namespace
} // namespace veltrin::test
