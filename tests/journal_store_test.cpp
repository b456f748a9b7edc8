// The journal frame: the journal button's two looks, Done and the subject pick; adding an entry:
// the refusals, and a failed follow-up of the add leaving every file as it was.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "core/JournalStore.h"
#include "journal/Journal.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

constexpr std::array<int, 7> ExampleRanks{3, 5, 2, 4, 1, 1, 4};

class JournalFrame : public CourseFixture {
protected:
    void SetUp() override { openJournal(); }
    void prepareEntry(const QString& subject, const QString& text, const std::array<int, 7>& ranks = ExampleRanks) {
        rankSnapshot(ranks);
        window().subjectBox->setEditText(subject);
        window().entryBox->SetText(text);
    }
};

// The journal button hides the viewer and toggles the frame, which opens on its parchment; a report
// left open keeps its caption until Done, even on a closed frame. (Done on an open frame and its report
// are the course journey's and the faults' NestedHandler/ReportThenDone.)
TEST_F(JournalFrame, JournalButtonKeepsAnOpenReportUntilDone) {
    const auto journalButton = [this] { return window().journalButton->pictureName() + " " + window().journalButton->toolTip(); };
    window().show();
    window().documentViewer->show();
    click(window().journalButton);
    const QImage frame = window().journalFrame->grab().toImage();
    EXPECT_EQ(frame.pixelColor(frame.width() - 10, frame.height() / 2), QColor(0xf6, 0xec, 0xd2));
    EXPECT_TRUE(window().documentViewer->isHidden());
    EXPECT_EQ(journalButton(), "wood3-jrnl-clos-up.jpg Close Journal");
    click(window().viewJournalButton);
    click(window().journalButton);
    EXPECT_TRUE(window().journalFrame->isHidden() && window().documentViewer->isHidden());
    EXPECT_EQ(journalButton(), "wood3-jrnl-opn-up.jpg Make a Journal Entry");
    EXPECT_EQ(window().viewJournalButton->text(), "Close Journal");
    click(window().doneButton);
    EXPECT_EQ(window().viewJournalButton->text(), "View Journal");
    EXPECT_EQ(sys.playedSounds(), QStringList({"opnjnl", "xitjnl", "closjnl", "closjnl"}));
}

// A pick of a listed subject closes an open panel silently, then shows its document with the torch
// sound; a pick differing only in case shows nothing; without a subject list the user is told.
TEST_F(JournalFrame, PickingASubjectMatchesTheListExactly) {
    const auto pick = [this](const char* subject) {
        window().subjectBox->setEditText(subject);
        emit window().subjectBox->activated(window().subjectBox->currentIndex());
    };
    torch::ShowTorchDocument(program(), QStringLiteral("er-1.rtf"), 0);
    pick("Thought");
    EXPECT_FALSE(window().torchPanel->isHidden());
    EXPECT_TRUE(window().torchPane->FileName().endsWith("/Thought.rtf"));
    torch::ShowTorchDocument(program(), QString(), 0);
    pick("openness");
    QFile::remove(appDir() + "mission.ndx");
    pick("Openness");
    EXPECT_TRUE(window().torchPanel->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on"}));
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("mission.ndx"));
}

struct Refusal {
    const char* name;
    std::array<int, 7> ranks;
    const char* subject;
    const char* document;
};

class RefusedEntry : public JournalFrame, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedEntry, StoresNothingAndTellsWhy) {
    writeFile(storePath(), "d~R~Thought~~1111111old\r\n");
    prepareEntry(GetParam().subject, "one", GetParam().ranks);
    const auto before = allFiles();
    click(window().addEntryButton);
    EXPECT_EQ(readFile(storePath()), "d~R~Thought~~1111111old\r\n");
    EXPECT_EQ(changedFiles(before).filter(".ndx"), QStringList());
    EXPECT_TRUE(window().chronologyLabel->text().isEmpty());
    EXPECT_EQ(sys.playedSounds(), QStringList({"resetyn"}));
    EXPECT_TRUE(window().torchPane->FileName().endsWith(QString("/") + GetParam().document));
}

// The ranks are checked before the subject.
INSTANTIATE_TEST_SUITE_P(Refusals, RefusedEntry,
                         ::testing::Values(Refusal{"OnlyBeingAwakeUnranked", {3, 5, 2, 4, 1, 1, 0}, "Openness", "er-1.rtf"},
                                           Refusal{"UnrankedBeforeTildes", {0, 5, 2, 4, 1, 1, 4}, "a~~b", "er-1.rtf"},
                                           Refusal{"SubjectHoldsTwoTildes", ExampleRanks, "Open~~ness", "subjectrefused.rtf"},
                                           Refusal{"SubjectEndsWithTilde", ExampleRanks, "Openness~", "subjectrefused.rtf"},
                                           Refusal{"SubjectHoldsLineFeed", ExampleRanks, "Open\nness", "subjectrefused.rtf"},
                                           Refusal{"SubjectHoldsCarriageReturn", ExampleRanks, "Open\rness", "subjectrefused.rtf"}),
                         caseName);

// The write budget lets the record through and stops the follow-up at the given byte; whatever
// fails, every file is left as it was and the message names the failing file.
TEST_F(JournalFrame, FailedAddLeavesEveryFileAsItWasAndNamesTheFile) {
    const struct {
        const char* subject;
        bool storeExists;
        int bytesAfterTheRecord;
        const char* failingFile;
    } cases[] = {{"Openness", false, 0, "work.ndx"},
                 {"Free text", true, 0, "subjectref.rtf"},
                 {"Openness", true, 1000, "mission.ndx"}};   // the subject list is missing
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failingFile);
        if (c.storeExists) writeFile(storePath(), "d~R~Thought~~1111111old\r\n");
        else QFile::remove(storePath());
        if (c.failingFile == QLatin1String("mission.ndx")) QFile::remove(appDir() + "mission.ndx");
        prepareEntry(c.subject, "one");
        const auto before = allFiles();
        const QString stored = core::chronologyText(sys.clock) + "~" + Title + "~" + c.subject + "~~3524114one\r\n";
        failWritesAfter(stored.toUtf8().size() + c.bytesAfterTheRecord);
        click(window().addEntryButton);
        failWritesAfter(-1);
        EXPECT_TRUE(changedFiles(before).isEmpty()) << changedFiles(before).join(" ").toStdString();
        EXPECT_EQ(state().SubjectProgress[1].count, "0");
        EXPECT_TRUE(window().chronologyLabel->text().isEmpty());
        EXPECT_TRUE(sys.messages.value(&c - cases).contains(QString("/") + c.failingFile)) << sys.messages.join("\n").toStdString();
    }
    EXPECT_EQ(sys.messages.size(), 3);
}

}   // namespace
}   // namespace veltrin::test
