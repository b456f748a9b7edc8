// The journal frame: the journal button's two looks, Done, the subject pick and the Inner
// Snapshot's rank mapping, driven through the controls.
#include "support/JournalFixture.h"

#include "journal/JournalStore.h"
#include "torch/Torch.h"

#include <QImage>

namespace veltrin::test {
namespace {

class JournalFrame : public JournalFixture {
protected:
    void SetUp() override {
        JournalFixture::SetUp();
        // Each picture has its own width, so the test can tell which one a button shows.
        const QStringList pictures{"wood3-jrnl-opn-up.jpg", "wood3-jrnl-opn-dn.jpg", "wood3-jrnl-clos-up.jpg",
                                   "wood3-jrnl-clos-dn.jpg", "wood3-book-opn-up.jpg", "wood3-book-opn-dn.jpg"};
        for (int i = 0; i < pictures.size(); ++i) {
            QImage image(10 + i, 8, QImage::Format_RGB32);
            image.fill(Qt::gray);
            ASSERT_TRUE(image.save(courseDir() + pictures[i]));
        }
    }

    void expectLook(const ui::PictureButton& button, const char* picture, int downWidth, const char* toolTip) {
        EXPECT_EQ(button.pictureName(), picture);
        EXPECT_EQ(button.downPicture().width(), downWidth);
        EXPECT_EQ(button.toolTip(), toolTip);
    }
};

TEST_F(JournalFrame, JournalButtonOpensThenClosesWithBothLooks) {
    form().RichTextBox4->show();
    form().Command14->setToolTipText("Close the Veltrin Manual");
    program().state.ScrollActive = true;

    click(form().Command13);
    EXPECT_FALSE(program().state.ScrollActive);
    EXPECT_FALSE(form().Frame1->isHidden());
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    expectLook(*form().Command13, "wood3-jrnl-clos-up.jpg", 13, "Close Journal");
    expectLook(*form().Command14, "wood3-book-opn-up.jpg", 15, "Open the Veltrin Manual");
    EXPECT_FALSE(form().VScroll1->isEnabled());
    EXPECT_FALSE(form().VScroll2->isEnabled());

    click(form().Command13);
    EXPECT_TRUE(form().Frame1->isHidden());
    expectLook(*form().Command13, "wood3-jrnl-opn-up.jpg", 11, "Make a Journal Entry");
    EXPECT_TRUE(form().VScroll1->isEnabled());
    EXPECT_TRUE(form().VScroll2->isEnabled());
    EXPECT_EQ(sys.playedSounds(), QStringList({"opnjnl", "closjnl"}));
}

TEST_F(JournalFrame, JournalButtonHidesAnOpenReportButKeepsItsCaption) {
    click(form().Command13);
    click(form().Command15);
    ASSERT_EQ(form().Command15->text(), "Close Journal");
    click(form().Command13);
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    click(form().Command13);
    EXPECT_EQ(form().Command15->text(), "Close Journal");
    EXPECT_TRUE(form().RichTextBox4->isHidden());
}

TEST_F(JournalFrame, DoneClosesFrameAndReportAndResetsTheCaption) {
    click(form().Command16);   // on a closed frame it still plays and resets
    EXPECT_EQ(sys.playedSounds(), QStringList({"closjnl"}));
    click(form().Command13);
    click(form().Command15);
    click(form().Command16);
    EXPECT_TRUE(form().Frame1->isHidden());
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    EXPECT_EQ(form().Command15->text(), "View Journal");
    EXPECT_TRUE(form().VScroll1->isEnabled());
    EXPECT_TRUE(form().VScroll2->isEnabled());
    expectLook(*form().Command13, "wood3-jrnl-opn-up.jpg", 11, "Make a Journal Entry");
    EXPECT_EQ(sys.playedSounds(), QStringList({"closjnl", "opnjnl", "xitjnl", "closjnl"}));
}

// A pick of a listed subject closes an open panel silently, then shows its document with the torch
// sound; a pick differing only in case shows nothing.
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
}

TEST_F(JournalFrame, PickWithoutSubjectListTellsTheUserAndChangesNothing) {
    QFile::remove(appDir() + "mission.ndx");
    form().Combo2->setCurrentText("Openness");
    emit form().Combo2->activated(form().Combo2->currentIndex());
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("mission.ndx"));
    EXPECT_TRUE(form().Picture2->isHidden());
}

struct RankOfOption {
    const char* name;
    int option;
    std::size_t category;   // 0 Power .. 6 Being Awake
    int rank;
};

class RankMapping : public JournalFrame, public ::testing::WithParamInterface<RankOfOption> {};

// Every other category ranked 3, so the option under test decides its own category alone.
TEST_P(RankMapping, OptionGivesTheRankOfItsPlaceNotOfItsNumber) {
    rankSnapshot({3, 3, 3, 3, 3, 3, 3});
    form().Option[std::size_t(GetParam().option)]->setChecked(true);
    const auto ranks = journal::snapshotRanks(form());
    ASSERT_TRUE(ranks.has_value());
    for (std::size_t category = 0; category < ranks->size(); ++category)
        EXPECT_EQ((*ranks)[category], category == GetParam().category ? GetParam().rank : 3) << category;
}

INSTANTIATE_TEST_SUITE_P(Options, RankMapping,
                         ::testing::Values(RankOfOption{"Option1PowerOne", 1, 0, 1}, RankOfOption{"Option6HealthFive", 6, 1, 5},
                                           RankOfOption{"Option10HealthOne", 10, 1, 1},
                                           RankOfOption{"Option17HolyConnectionFour", 17, 3, 4},
                                           RankOfOption{"Option26PretendingFive", 26, 5, 5},
                                           RankOfOption{"Option35BeingAwakeOne", 35, 6, 1}),
                         caseName);

} // namespace
} // namespace veltrin::test
