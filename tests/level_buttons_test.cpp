// The level buttons' open-window guard (a button stopping a running scroll is with the scroll loops'
// second clicks, the exit saving the due level's position a start-up test).
#include "support/CourseFixture.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

class LevelButtons : public CourseFixture {};

// With the journal or the viewer open a button is refused with the matching message (over an open
// panel it only closes the panel), and text, position and scrolling are left alone.
TEST_F(LevelButtons, GuardRefusesAndLeavesTextPositionAndScrollStateAlone) {
    Program& p = startAt(0, -500, {"Greetings.rtf", "closejnl.rtf", "closeman.rtf"});
    const std::tuple<void (*)(Program&, bool), bool, const char*> cases[] = {{torch::showJournalFrame, false, "closejnl.rtf"},
                                                                             {torch::showDocumentViewer, false, "closeman.rtf"},
                                                                             {torch::showJournalFrame, true, "Greetings.rtf"}};
    for (const auto& [showWindow, panelOpen, document] : cases) {
        if (panelOpen) torch::ShowTorchDocument(p, QStringLiteral("Greetings.rtf"), 0);
        showWindow(p, true);
        p.state.run.ScrollActive = true;
        click(p.window.level3Button);
        EXPECT_EQ(QFileInfo(p.window.torchPane->FileName()).fileName(), document);
        EXPECT_EQ(p.window.torchPanel->isHidden(), panelOpen);
        EXPECT_EQ(p.window.readingPane->topEdge(), -500);
        EXPECT_EQ(p.window.positionBar->value(), 500);
        EXPECT_TRUE(p.state.run.ScrollActive);
        showWindow(p, false);
        torch::closeTorchPanel(p, torch::Silent);
    }
    EXPECT_EQ(sys.playedSounds(), QStringList({"resetyn", "resetyn", "resetyn"}));
}

}   // namespace
}   // namespace veltrin::test
