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
    void expectJournalButton(const char* picture, const char* toolTip) {
        EXPECT_EQ(form().Command13->pictureName(), picture);
        EXPECT_EQ(form().Command13->toolTip(), toolTip);
    }
};

// The journal button hides the viewer and toggles the frame; a report left open keeps its caption.
// Done closes frame and report and resets the caption, even on a closed frame.
TEST_F(JournalFrame, JournalButtonAndDoneWithTheReportCaption) {
    form().RichTextBox4->show();
    click(form().Command13);
    EXPECT_FALSE(form().Frame1->isHidden());
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    expectJournalButton("wood3-jrnl-clos-up.jpg", "Close Journal");
    click(form().Command15);
    click(form().Command13);
    EXPECT_TRUE(form().Frame1->isHidden() && form().RichTextBox4->isHidden());
    expectJournalButton("wood3-jrnl-opn-up.jpg", "Make a Journal Entry");
    EXPECT_EQ(form().Command15->text(), "Close Journal");
    click(form().Command13);
    click(form().Command16);
    EXPECT_TRUE(form().Frame1->isHidden());
    EXPECT_EQ(form().Command15->text(), "View Journal");
    click(form().Command16);
    EXPECT_EQ(sys.playedSounds(), QStringList({"opnjnl", "xitjnl", "closjnl", "opnjnl", "closjnl", "closjnl"}));
}

// A pick of a listed subject closes an open panel silently, then shows its document with the torch
// sound; a pick differing only in case shows nothing; without a subject list the user is told.
TEST_F(JournalFrame, PickingASubjectMatchesTheListExactly) {
    const auto pick = [this](const char* subject) {
        form().Combo2->setEditText(subject);
        emit form().Combo2->activated(form().Combo2->currentIndex());
    };
    torch::ShowTorchDocument(program(), QStringLiteral("er-1.rtf"), 0);
    pick("Thought");
    EXPECT_FALSE(form().Picture2->isHidden());
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith("/Thought.rtf"));
    torch::ShowTorchDocument(program(), QString(), 0);
    pick("openness");
    QFile::remove(appDir() + "mission.ndx");
    pick("Openness");
    EXPECT_TRUE(form().Picture2->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on"}));
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("mission.ndx"));
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
