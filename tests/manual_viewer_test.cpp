// The manual viewer: the message then the manual in its place, two clicks in a row, and the
// viewer opened over the journal frame and over the journal report.
#include "support/CourseFixture.h"

#include "torch/Torch.h"
#include "ui/Twips.h"

namespace veltrin::test {
namespace {

class ManualViewer : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse();
        writeFile(courseDir() + "veltrin.rtf", rtfDocument("The Veltrin Manual"));
        setFolders();
        shell::WireTorchControls(program());
        // The viewer's text at the first look after it is shown: the message before the manual loads.
        sys.script("see the viewer", [this] { return !form().RichTextBox4->isHidden(); },
                   [this] { seenWhileLoading = form().RichTextBox4->Text(); });
    }

    void clickManual() { form().Command14->click(); }
    void expectManualShown() {
        EXPECT_FALSE(form().RichTextBox4->isHidden());
        EXPECT_EQ(form().RichTextBox4->geometry(), ui::twipsRect(2350, 475, 7940, 5710));
        EXPECT_EQ(form().RichTextBox4->Text().trimmed(), "The Veltrin Manual");
        EXPECT_EQ(form().Command14->toolTip(), "Close the Veltrin Manual");
    }

    QString seenWhileLoading;
};

TEST_F(ManualViewer, TwoClicksShowTheMessageThenTheManualAndCloseIt) {
    clickManual();
    EXPECT_EQ(seenWhileLoading, "Loading Veltrin...");
    expectManualShown();
    EXPECT_EQ(form().Command14->pictureName(), "wood3-book-clos-up.jpg");
    clickManual();
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    EXPECT_EQ(form().Command14->toolTip(), "Open the Veltrin Manual");
    EXPECT_EQ(form().Command14->pictureName(), "wood3-book-opn-up.jpg");
    EXPECT_EQ(sys.playedSounds(), (QStringList{"scopn", "scclo"}));
}

TEST_F(ManualViewer, OpeningOverTheJournalFrameClosesTheFrame) {
    form().Frame1->show();
    form().Command13->setToolTipText("Close the Journal");
    clickManual();
    EXPECT_TRUE(form().Frame1->isHidden());
    EXPECT_EQ(form().Command13->toolTip(), "Make a Journal Entry");
    EXPECT_EQ(form().Command13->pictureName(), "wood3-jrnl-opn-up.jpg");
    expectManualShown();
}

TEST_F(ManualViewer, OpeningOverTheJournalReportReplacesItInThePlaceOfTheManual) {
    form().RichTextBox4->setGeometry(ui::twipsRect(200, 300, 9000, 6000));
    form().RichTextBox4->SetText("Journal report");
    form().RichTextBox4->show();
    clickManual();
    expectManualShown();
    clickManual();
    EXPECT_TRUE(form().RichTextBox4->isHidden());
}

TEST_F(ManualViewer, AMissingManualLeavesTheViewerEmptyAndOpen) {
    QFile::remove(courseDir() + "veltrin.rtf");
    clickManual();
    EXPECT_FALSE(form().RichTextBox4->isHidden());
    EXPECT_TRUE(form().RichTextBox4->Text().isEmpty());
    EXPECT_EQ(form().Command14->toolTip(), "Close the Veltrin Manual");
}

} // namespace
} // namespace veltrin::test
