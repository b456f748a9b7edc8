// Adding a journal entry: the refusals, the record byte for byte, counting against the subject
// list, the optional-subject document, and a failed add leaving every file as it was.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "journal/Journal.h"
#include "journal/JournalStore.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

constexpr std::array<int, 7> ExampleRanks{3, 5, 2, 4, 1, 1, 4};

class AddEntry : public CourseFixture {
protected:
    void SetUp() override { openJournal(); }
    void prepareEntry(const QString& subject, const QString& text, const std::array<int, 7>& ranks = ExampleRanks) {
        rankSnapshot(ranks);
        form().Combo2->setEditText(subject);
        form().RichTextBox3->SetText(text);
    }
    void add() { click(form().Command17); }

    // A stored record as the store must hold it, line end included.
    QByteArray record(const QString& subjectDigitsAndText) const {
        return (journal::chronologyText(sys.clock) + "~" + Title + "~" + subjectDigitsAndText + "\r\n").toUtf8();
    }
    QString count(std::size_t row) { return state().SubjectProgress[row][2]; }
    QByteArray workFile() const { return readFile(appDir() + "work.ndx"); }
    QByteArray workWithOpenness(const char* count) const {
        return workFile().replace("OPENNESS\r\n0\r\n", QByteArray("OPENNESS\r\n") + count + "\r\n");
    }
};

TEST_F(AddEntry, ExampleEntryIsStoredCountedAndTheFrameKept) {
    prepareEntry("Openness", "one");
    const QByteArray expectedWork = workWithOpenness("1");
    add();
    EXPECT_EQ(readFile(storePath()), record("Openness~~3524114one"));
    EXPECT_EQ(count(1), "1");
    EXPECT_EQ(workFile(), expectedWork);
    EXPECT_EQ(form().Label11->text(), journal::chronologyText(sys.clock));
    EXPECT_EQ(sys.playedSounds(), QStringList({"addrec"}));
    EXPECT_FALSE(QFile::exists(appDir() + "subjectref.rtf"));
    EXPECT_EQ(journal::snapshotRanks(form()), std::optional(ExampleRanks));
    EXPECT_EQ(form().RichTextBox3->Text(), "one");
    add();   // a second add stores a second record and counts again
    EXPECT_EQ(readFile(storePath()), record("Openness~~3524114one") + record("Openness~~3524114one"));
    EXPECT_EQ(workFile(), workWithOpenness("2"));
}

struct StoredCase {
    const char* name;
    const char* subject;
    const char* text;
    const char* stored;   // subject "~~" digits and text
};

class StoredRecord : public AddEntry, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredRecord, IsStoredByteForByte) {
    prepareEntry(GetParam().subject, GetParam().text);
    add();
    EXPECT_EQ(readFile(storePath()), record(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Records, StoredRecord,
                         ::testing::Values(StoredCase{"TypedInCapitals", "OPENNESS", "one", "OPENNESS~~3524114one"},
                                           StoredCase{"EmptySubject", "", "one", "~~3524114one"},
                                           StoredCase{"TwoLines", "Openness", "a\nb", "Openness~~3524114a\\par \nb"},
                                           StoredCase{"EmptyText", "Journal Entry", "", "Journal Entry~~3524114"},
                                           StoredCase{"RtfAndTildesAsTyped", "Openness", "C:\\dir {x} ~~ \\par",
                                                      "Openness~~3524114C:\\dir {x} ~~ \\par"},
                                           StoredCase{"SingleTildeInTheSubject", "a~b", "one", "a~b~~3524114one"}),
                         caseName);

TEST_F(AddEntry, CapitalsCountAndSubjectOnTwoListLinesCountsTwice) {
    writeLines(appDir() + "mission.ndx", {"Openness", "Thought", "openness"});
    prepareEntry("OPENNESS", "one");
    add();
    EXPECT_EQ(count(1), "2");
}

TEST_F(AddEntry, SubjectOutsideTheListShowsTheOptionalSubjectDocumentUncounted) {
    prepareEntry("Observation", "one");   // required later, not yet in the list
    const QByteArray work = workFile();
    add();
    EXPECT_EQ(readFile(appDir() + "subjectref.rtf"),
              (torch::DocumentHeader + "\r\n\\cf2 The subject you have entered is an optional entry.\r\n}\r\n").toUtf8());
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith("/subjectref.rtf"));
    EXPECT_EQ(sys.playedSounds(), QStringList({"addrec", "torch-on"}));
    EXPECT_EQ(workFile(), work);
}

TEST_F(AddEntry, OpenPanelIsClosedSilentlyAndAFreshStoreIsCreated) {
    QFile::remove(storePath());
    torch::ShowTorchDocument(program(), QStringLiteral("er-1.rtf"), 0);
    prepareEntry("Thought", "t");
    add();
    EXPECT_EQ(readFile(storePath()), record("Thought~~3524114t"));
    EXPECT_EQ(count(3), "1");
    EXPECT_TRUE(form().Picture2->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"addrec"}));
}

struct Refusal {
    const char* name;
    std::array<int, 7> ranks;
    const char* subject;
    const char* document;
};

class RefusedEntry : public AddEntry, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedEntry, StoresNothingAndTellsWhy) {
    writeFile(storePath(), record("Thought~~1111111old"));
    prepareEntry(GetParam().subject, "one", GetParam().ranks);
    const QByteArray work = workFile();
    form().Label11->setText("earlier");
    add();
    EXPECT_EQ(readFile(storePath()), record("Thought~~1111111old"));
    EXPECT_EQ(workFile(), work);
    EXPECT_EQ(form().Label11->text(), "earlier");
    EXPECT_EQ(sys.playedSounds(), QStringList({"resetyn"}));
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith(QString("/") + GetParam().document));
}

// The ranks are checked before the subject.
INSTANTIATE_TEST_SUITE_P(Refusals, RefusedEntry,
                         ::testing::Values(Refusal{"OnlyBeingAwakeUnranked", {3, 5, 2, 4, 1, 1, 0}, "Openness", "er-1.rtf"},
                                           Refusal{"UnrankedBeforeTildes", {0, 5, 2, 4, 1, 1, 4}, "a~~b", "er-1.rtf"},
                                           Refusal{"SubjectHoldsTwoTildes", ExampleRanks, "Open~~ness", "subjectrefused.rtf"},
                                           Refusal{"SubjectEndsWithTilde", ExampleRanks, "Openness~", "subjectrefused.rtf"},
                                           Refusal{"SubjectHoldsCrLf", ExampleRanks, "Open\r\nness", "subjectrefused.rtf"},
                                           Refusal{"SubjectHoldsLineFeed", ExampleRanks, "Open\nness", "subjectrefused.rtf"},
                                           Refusal{"SubjectHoldsCarriageReturn", ExampleRanks, "Open\rness", "subjectrefused.rtf"}),
                         caseName);

struct FailingAdd {
    const char* name;
    const char* subject;
    bool storeExists;
    int bytesAfterTheRecord;   // -1: the append itself fails
    const char* failingFile;
};

class FailedAdd : public AddEntry, public ::testing::WithParamInterface<FailingAdd> {};

// The write budget lets the record through and stops the follow-up at the given byte.
TEST_P(FailedAdd, LeavesEveryFileAsItWasAndNamesTheFile) {
    const FailingAdd& failing = GetParam();
    if (failing.storeExists) writeFile(storePath(), record("Thought~~1111111old"));
    else QFile::remove(storePath());
    if (failing.failingFile == QLatin1String("mission.ndx")) QFile::remove(appDir() + "mission.ndx");
    prepareEntry(failing.subject, "one");
    const QByteArray store = readFile(storePath());
    const QByteArray work = workFile();
    const QByteArray status = readFile(appDir() + "status.ndx");
    base::failWritesAfter(failing.bytesAfterTheRecord < 0 ? 5 : record(failing.subject + QString("~~3524114one")).size() + failing.bytesAfterTheRecord);
    add();
    base::failWritesAfter(-1);
    EXPECT_EQ(QFile::exists(storePath()), failing.storeExists);
    EXPECT_EQ(readFile(storePath()), store);
    EXPECT_EQ(workFile(), work);
    EXPECT_EQ(readFile(appDir() + "status.ndx"), status);
    EXPECT_EQ(count(1), "0");
    EXPECT_FALSE(QFile::exists(appDir() + "subjectref.rtf"));
    EXPECT_TRUE(form().Label11->text().isEmpty());
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(QString("/") + failing.failingFile)) << sys.messages[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedAdd,
                         ::testing::Values(FailingAdd{"AppendFails", "Openness", true, -1, "veltrin.sdb"},
                                           FailingAdd{"CountFailsOnAFreshStore", "Openness", false, 0, "work.ndx"},
                                           FailingAdd{"SubjectReferenceFails", "Free text", true, 0, "subjectref.rtf"},
                                           FailingAdd{"SubjectListMissing", "Openness", true, 1000, "mission.ndx"}),
                         caseName);

} // namespace
} // namespace veltrin::test
