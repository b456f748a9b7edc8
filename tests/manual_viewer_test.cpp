// The manual viewer: the button's two looks by tooltip, the viewer's place, the journal frame
// closed under the manual, and the viewer taken over from the journal report.
#include "support/CourseFixture.h"

#include "torch/Torch.h"
#include "ui/Twips.h"

#include <QFile>

namespace veltrin::test {
namespace {

class ManualViewer : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse();
        writeFile(courseDir() + "veltrin.rtf", rtfDocument("The Veltrin Manual"));
        Program& p = program();
        p.state.CourseDir = courseDir();
        p.state.SoundDir = soundDir();
        shell::WireTorchControls(p);
        // The viewer's text at the first look after it is shown: the message before the manual loads.
        sys.script("see the viewer", [&p] { return !p.form.RichTextBox4->isHidden(); },
                   [this, &p] { seenWhileLoading = p.form.RichTextBox4->Text(); });
    }

    void clickManual() { program().form.Command14->click(); }

    QString seenWhileLoading;
};

TEST_F(ManualViewer, OpeningShowsTheMessageThenTheManualInItsPlace) {
    clickManual();
    expectScriptPlayed();
    const ui::Form1& f = program().form;
    EXPECT_EQ(seenWhileLoading, "Loading Veltrin...");
    EXPECT_FALSE(f.RichTextBox4->isHidden());
    EXPECT_EQ(f.RichTextBox4->Text().trimmed(), "The Veltrin Manual");
    EXPECT_EQ(f.RichTextBox4->geometry(), ui::twipsRect(2350, 475, 7940, 5710));
    EXPECT_EQ(f.Command14->toolTip(), "Close the Veltrin Manual");
    EXPECT_EQ(f.Command14->pictureName(), "wood3-book-clos-up.jpg");
    EXPECT_EQ(sys.playedSounds(), QStringList{"scopn"});
}

TEST_F(ManualViewer, TwoClicksLeaveTheClosedLook) {
    clickManual();
    clickManual();
    const ui::Form1& f = program().form;
    EXPECT_TRUE(f.RichTextBox4->isHidden());
    EXPECT_EQ(f.Command14->toolTip(), "Open the Veltrin Manual");
    EXPECT_EQ(f.Command14->pictureName(), "wood3-book-opn-up.jpg");
    EXPECT_EQ(sys.playedSounds(), (QStringList{"scopn", "scclo"}));
}

TEST_F(ManualViewer, OpeningOverTheJournalFrameClosesTheFrame) {
    ui::Form1& f = program().form;
    f.Frame1->show();
    f.Command13->setToolTipText("Close the Journal");
    clickManual();
    EXPECT_TRUE(f.Frame1->isHidden());
    EXPECT_EQ(f.Command13->toolTip(), "Make a Journal Entry");
    EXPECT_EQ(f.Command13->pictureName(), "wood3-jrnl-opn-up.jpg");
    EXPECT_FALSE(f.RichTextBox4->isHidden());
}

TEST_F(ManualViewer, OpeningOverTheJournalReportReplacesItAndClosingHidesTheViewer) {
    ui::Form1& f = program().form;
    f.RichTextBox4->setGeometry(ui::twipsRect(200, 300, 9000, 6000));
    f.RichTextBox4->SetText("Journal report");
    f.RichTextBox4->show();
    clickManual();
    EXPECT_EQ(f.RichTextBox4->geometry(), ui::twipsRect(2350, 475, 7940, 5710));
    EXPECT_EQ(f.RichTextBox4->Text().trimmed(), "The Veltrin Manual");
    clickManual();
    EXPECT_TRUE(f.RichTextBox4->isHidden());
}

TEST_F(ManualViewer, AMissingManualLeavesTheViewerEmptyAndOpen) {
    QFile::remove(courseDir() + "veltrin.rtf");
    clickManual();
    EXPECT_FALSE(program().form.RichTextBox4->isHidden());
    EXPECT_TRUE(program().form.RichTextBox4->Text().isEmpty());
    EXPECT_EQ(program().form.Command14->toolTip(), "Close the Veltrin Manual");
}

} // namespace
} // namespace veltrin::test
