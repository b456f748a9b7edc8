// The journal frame: the journal button's two looks, Done and the subject pick, driven through the
// controls.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

namespace veltrin::test {
namespace {

class JournalFrame : public CourseFixture {
protected:
    void SetUp() override { openJournal(); }
    void expectJournalButton(const char* picture, const char* toolTip) {
        EXPECT_EQ(window().journalButton->pictureName(), picture);
        EXPECT_EQ(window().journalButton->toolTip(), toolTip);
    }
};

// The journal button hides the viewer and toggles the frame; a report left open keeps its caption.
// Done closes frame and report and resets the caption, even on a closed frame.
TEST_F(JournalFrame, JournalButtonAndDoneWithTheReportCaption) {
    window().documentViewer->show();
    click(window().journalButton);
    EXPECT_FALSE(window().journalFrame->isHidden());
    EXPECT_TRUE(window().documentViewer->isHidden());
    expectJournalButton("wood3-jrnl-clos-up.jpg", "Close Journal");
    click(window().viewJournalButton);
    click(window().journalButton);
    EXPECT_TRUE(window().journalFrame->isHidden() && window().documentViewer->isHidden());
    expectJournalButton("wood3-jrnl-opn-up.jpg", "Make a Journal Entry");
    EXPECT_EQ(window().viewJournalButton->text(), "Close Journal");
    click(window().journalButton);
    click(window().doneButton);
    EXPECT_TRUE(window().journalFrame->isHidden());
    EXPECT_EQ(window().viewJournalButton->text(), "View Journal");
    click(window().doneButton);
    EXPECT_EQ(sys.playedSounds(), QStringList({"opnjnl", "xitjnl", "closjnl", "opnjnl", "closjnl", "closjnl"}));
}

// The frame opens on its parchment, in the window as the user has it.
TEST_F(JournalFrame, OpensOnItsParchment) {
    window().show();
    click(window().journalButton);
    const QImage frame = window().journalFrame->grab().toImage();
    EXPECT_EQ(frame.pixelColor(frame.width() - 10, frame.height() / 2), QColor(0xf6, 0xec, 0xd2));
}

// A pick of a listed subject closes an open panel silently, then shows its document with the torch
// sound; a pick differing only in case shows nothing; without a subject list the user is told.
TEST_F(JournalFrame, PickingASubjectMatchesTheListExactly) {
    const auto pick = [this](const char* subject) {
        window().subjectBox->setEditText(subject);
        emit window().subjectBox->activated(window().subjectBox->currentIndex());
    };
    state::ShowTorchDocument(program(), QStringLiteral("er-1.rtf"), 0);
    pick("Thought");
    EXPECT_FALSE(window().torchPanel->isHidden());
    EXPECT_TRUE(window().torchPane->FileName().endsWith("/Thought.rtf"));
    state::ShowTorchDocument(program(), QString(), 0);
    pick("openness");
    QFile::remove(appDir() + "mission.ndx");
    pick("Openness");
    EXPECT_TRUE(window().torchPanel->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on"}));
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("mission.ndx"));
}

}   // namespace
}   // namespace veltrin::test
