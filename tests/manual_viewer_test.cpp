// The manual viewer: the message then the manual, two clicks in a row, then a missing manual.
#include "support/CourseFixture.h"

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
        sys.script(
            "see the viewer", [this] { return !window().documentViewer->isHidden(); },
            [this] { seenWhileLoading = window().documentViewer->Text(); });
    }

    QString seenWhileLoading;
};

// The manual leaves every button of the window to the mouse. A missing manual leaves the viewer
// empty and open.
TEST_F(ManualViewer, TwoClicksShowTheMessageThenTheManualAndCloseItAndAMissingOneShowsNothing) {
    window().show();
    window().manualButton->click();
    EXPECT_EQ(coveredButtons(), QStringList());
    EXPECT_EQ(seenWhileLoading, "Loading Veltrin...");
    EXPECT_EQ(window().documentViewer->Text().trimmed(), "The Veltrin Manual");
    EXPECT_EQ(window().manualButton->toolTip(), "Close the Veltrin Manual");
    EXPECT_EQ(window().manualButton->pictureName(), "wood3-book-clos-up.jpg");
    window().manualButton->click();
    EXPECT_TRUE(window().documentViewer->isHidden());
    EXPECT_EQ(window().manualButton->toolTip(), "Open the Veltrin Manual");
    EXPECT_EQ(window().manualButton->pictureName(), "wood3-book-opn-up.jpg");
    EXPECT_EQ(sys.playedSounds(), (QStringList{"scopn", "scclo"}));
    QFile::remove(courseDir() + "veltrin.rtf");
    window().manualButton->click();
    EXPECT_FALSE(window().documentViewer->isHidden());
    EXPECT_TRUE(window().documentViewer->Text().isEmpty());
}

}   // namespace
}   // namespace veltrin::test
