// Adding a journal entry: the refusals, the record byte for byte, counting against the subject
// list, the optional-subject document, and a failed add leaving every file as it was.
#include "support/JournalFixture.h"

#include "journal/JournalStore.h"
#include "torch/Torch.h"

#include "base/TextFile.h"

namespace veltrin::test {
namespace {

constexpr std::array<int, 7> ExampleRanks{3, 5, 2, 4, 1, 1, 4};

class AddEntry : public JournalFixture {
protected:
    ui::Form1& form() { return program().form; }

    void prepareEntry(const QString& subject, const QString& text, const std::array<int, 7>& ranks = ExampleRanks) {
        rankSnapshot(ranks);
        form().Combo2->setEditText(subject);
        form().RichTextBox3->SetText(text);
    }
    void add() { click(form().Command17); }

    QString chronology() const { return journal::chronologyText(sys.clock); }
    // A stored record as the store must hold it, line end included.
    QByteArray record(const QString& subject, const QString& digitsAndText) const {
        return (chronology() + "~" + Title + "~" + subject + "~~" + digitsAndText + "\r\n").toUtf8();
    }
    QString count(std::size_t row) { return program().state.SubjectProgress[row][2]; }
    QByteArray workFile() const { return readFile(appDir() + "work.ndx"); }
    QByteArray workFileWithOpenness(const char* count) const {
        QByteArray bytes = workFile();
        return bytes.replace("OPENNESS\r\n0\r\n", QByteArray("OPENNESS\r\n") + count + "\r\n");
    }
};

TEST_F(AddEntry, ExampleEntryIsStoredAndCounted) {
    prepareEntry("Openness", "one");
    const QByteArray expectedWork = workFileWithOpenness("1");
    add();
    EXPECT_EQ(readFile(storePath()), record("Openness", "3524114one"));
    EXPECT_EQ(count(1), "1");
    EXPECT_EQ(workFile(), expectedWork);
    EXPECT_EQ(form().Label11->text(), chronology());
    EXPECT_TRUE(form().Picture2->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"addrec"}));
    EXPECT_FALSE(QFile::exists(appDir() + "subjectref.rtf"));
}

TEST_F(AddEntry, SubjectTypedInCapitalsIsStoredAsTypedAndStillCounts) {
    prepareEntry("OPENNESS", "one");
    add();
    EXPECT_EQ(readFile(storePath()), record("OPENNESS", "3524114one"));
    EXPECT_EQ(count(1), "1");
    EXPECT_TRUE(form().Picture2->isHidden());
}

TEST_F(AddEntry, EmptySubjectGivesThreeTildesAndTheOptionalSubjectDocument) {
    prepareEntry("", "one");
    const QByteArray work = workFile();
    add();
    EXPECT_EQ(readFile(storePath()), (chronology() + "~" + Title + "~~~3524114one\r\n").toUtf8());
    EXPECT_EQ(readFile(appDir() + "subjectref.rtf"),
              (torch::DocumentHeader + "\r\n\\cf2 The subject you have entered is an optional entry.\r\n}\r\n").toUtf8());
    EXPECT_FALSE(form().Picture2->isHidden());
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith("/subjectref.rtf"));
    EXPECT_EQ(sys.playedSounds(), QStringList({"addrec", "torch-on"}));
    EXPECT_EQ(workFile(), work);
}

TEST_F(AddEntry, SubjectInTheListWithoutRequirementIsStoredSilentlyUncounted) {
    prepareEntry("Journal Entry", "");
    const QByteArray work = workFile();
    add();
    EXPECT_EQ(readFile(storePath()), record("Journal Entry", "3524114"));
    EXPECT_EQ(workFile(), work);
    EXPECT_TRUE(form().Picture2->isHidden());
}

TEST_F(AddEntry, RequiredSubjectNotYetInTheListIsOptionalAndUncounted) {
    prepareEntry("Observation", "x");
    add();
    EXPECT_EQ(count(2), "0");
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith("/subjectref.rtf"));
}

TEST_F(AddEntry, LineBreaksBecomeParagraphMarksKeepingTheLineFeed) {
    prepareEntry("Openness", "a\nb");
    add();
    EXPECT_EQ(readFile(storePath()), record("Openness", "3524114a\\par \nb"));
}

TEST_F(AddEntry, BackslashesBracesAndTildesInTheTextAreStoredAsTyped) {
    prepareEntry("Openness", "C:\\dir {x} ~~ \\par");
    add();
    EXPECT_EQ(readFile(storePath()), record("Openness", "3524114C:\\dir {x} ~~ \\par"));
}

TEST_F(AddEntry, AddingTwiceStoresTwoRecordsAndCountsTwice) {
    prepareEntry("Openness", "one");
    add();
    add();
    EXPECT_EQ(readFile(storePath()), record("Openness", "3524114one") + record("Openness", "3524114one"));
    EXPECT_EQ(count(1), "2");
    EXPECT_EQ(workFile(), workFileWithOpenness("2"));
}

TEST_F(AddEntry, SubjectOnTwoLinesOfTheListCountsTwice) {
    writeLines(appDir() + "mission.ndx", {"Openness", "Thought", "openness"});
    prepareEntry("Openness", "one");
    add();
    EXPECT_EQ(count(1), "2");
}

TEST_F(AddEntry, NothingOnTheFrameIsResetAfterwards) {
    prepareEntry("Openness", "one");
    add();
    EXPECT_EQ(journal::snapshotRanks(form()), std::optional(ExampleRanks));
    EXPECT_EQ(form().Combo2->currentText(), "Openness");
    EXPECT_EQ(form().RichTextBox3->Text(), "one");
}

TEST_F(AddEntry, FirstAddOnAFreshInstallationCreatesTheStore) {
    QFile::remove(storePath());
    prepareEntry("Thought", "t");
    add();
    EXPECT_EQ(readFile(storePath()), record("Thought", "3524114t"));
    EXPECT_EQ(count(3), "1");
}

TEST_F(AddEntry, TorchPanelOpenIsClosedSilentlyFirst) {
    torch::ShowTorchDocument(program(), QStringLiteral("er-1.rtf"), 0);
    prepareEntry("Openness", "one");
    add();
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
    writeFile(storePath(), record("Thought", "1111111old"));
    prepareEntry(GetParam().subject, "one", GetParam().ranks);
    const QByteArray store = readFile(storePath());
    const QByteArray work = workFile();
    form().Label11->setText("earlier");
    add();
    EXPECT_EQ(readFile(storePath()), store);
    EXPECT_EQ(workFile(), work);
    EXPECT_EQ(count(1), "0");
    EXPECT_EQ(form().Label11->text(), "earlier");
    EXPECT_EQ(sys.playedSounds(), QStringList({"resetyn"}));
    EXPECT_FALSE(form().Picture2->isHidden());
    EXPECT_TRUE(form().RichTextBox2->FileName().endsWith(QString("/") + GetParam().document));
    EXPECT_TRUE(sys.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedEntry,
    ::testing::Values(Refusal{"HealthUnranked", {3, 0, 2, 4, 1, 1, 4}, "Openness", "er-1.rtf"},
                      Refusal{"OnlyBeingAwakeUnranked", {3, 5, 2, 4, 1, 1, 0}, "Openness", "er-1.rtf"},
                      Refusal{"NothingRanked", {0, 0, 0, 0, 0, 0, 0}, "Openness", "er-1.rtf"},
                      Refusal{"UnrankedBeforeTildes", {0, 5, 2, 4, 1, 1, 4}, "a~~b", "er-1.rtf"},
                      Refusal{"SubjectHoldsTwoTildes", ExampleRanks, "Open~~ness", "subjecttilde.rtf"},
                      Refusal{"SubjectStartsWithTilde", ExampleRanks, "~Openness", "subjecttilde.rtf"},
                      Refusal{"SubjectEndsWithTilde", ExampleRanks, "Openness~", "subjecttilde.rtf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddEntry, TildeRefusalDocumentIsAGeneratedDocument) {
    prepareEntry("a~~b", "one");
    add();
    const QStringList lines = base::readLines(appDir() + "subjecttilde.rtf");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], torch::DocumentHeader);
    EXPECT_TRUE(lines[1].contains("~~"));
    EXPECT_EQ(lines[2], "}");
}

TEST_F(AddEntry, SingleTildeInsideTheSubjectIsStoredAndReadBack) {
    prepareEntry("a~b", "one");
    add();
    const auto entry = journal::readJournalRecord(base::readLines(storePath()).value(0));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->subject, "a~b");
    EXPECT_EQ(entry->digits, "3524114");
    EXPECT_EQ(entry->entryText, "one");
}

struct FailingAdd {
    const char* name;
    const char* subject;
    bool storeExists;
    int bytesAfterTheRecord;   // -1: the append itself fails
    const char* failingFile;
};

class FailedAdd : public AddEntry, public ::testing::WithParamInterface<FailingAdd> {
protected:
    void TearDown() override {
        base::failWritesAfter(-1);
        AddEntry::TearDown();
    }
};

// The write budget lets the record through and stops the follow-up at the given byte.
TEST_P(FailedAdd, LeavesEveryFileAsItWasAndNamesTheFile) {
    const FailingAdd& failing = GetParam();
    if (failing.storeExists) writeFile(storePath(), record("Thought", "1111111old"));
    else QFile::remove(storePath());
    prepareEntry(failing.subject, "one");
    const QByteArray store = readFile(storePath());
    const QByteArray work = workFile();
    const QByteArray status = readFile(appDir() + "status.ndx");
    const qint64 recordBytes = record(failing.subject, "3524114one").size();
    base::failWritesAfter(failing.bytesAfterTheRecord < 0 ? 5 : recordBytes + failing.bytesAfterTheRecord);

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
                                           FailingAdd{"WorkFileFails", "Openness", true, 10, "work.ndx"},
                                           FailingAdd{"CountFailsOnAFreshStore", "Openness", false, 0, "work.ndx"},
                                           FailingAdd{"SubjectReferenceFails", "Free text", true, 0, "subjectref.rtf"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddEntry, MissingSubjectListStoresNothing) {
    QFile::remove(appDir() + "mission.ndx");
    prepareEntry("Openness", "one");
    const QByteArray store = readFile(storePath());
    add();
    EXPECT_EQ(readFile(storePath()), store);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("mission.ndx"));
}

struct RecordShape {
    const char* name;
    const char* record;
    bool readable;
    const char* rank;
    const char* subject;
    const char* digits;
    const char* entryText;
};

class ReadingRecords : public ::testing::TestWithParam<RecordShape> {};

TEST_P(ReadingRecords, SplitsAtTheFirstDoubleTilde) {
    const auto entry = journal::readJournalRecord(QString::fromUtf8(GetParam().record));
    ASSERT_EQ(entry.has_value(), GetParam().readable);
    if (!entry) return;
    EXPECT_EQ(entry->chronology, "6.12.26 09:30");
    EXPECT_EQ(entry->rank, GetParam().rank);
    EXPECT_EQ(entry->subject, GetParam().subject);
    EXPECT_EQ(entry->digits, GetParam().digits);
    EXPECT_EQ(entry->entryText, GetParam().entryText);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ReadingRecords,
    ::testing::Values(RecordShape{"Full", "6.12.26 09:30~Ascendant~Openness~~3524114one", true, "Ascendant", "Openness", "3524114", "one"},
                      RecordShape{"EmptySubject", "6.12.26 09:30~Ascendant~~~3524114one", true, "Ascendant", "", "3524114", "one"},
                      RecordShape{"EmptyText", "6.12.26 09:30~Ascendant~S~~3524114", true, "Ascendant", "S", "3524114", ""},
                      RecordShape{"ShortSnapshot", "6.12.26 09:30~Ascendant~S~~35", true, "Ascendant", "S", "35", ""},
                      RecordShape{"TextWithTildes", "6.12.26 09:30~R~S~~1111111a~~b", true, "R", "S", "1111111", "a~~b"},
                      RecordShape{"NoDoubleTilde", "6.12.26 09:30~R~S~1111111", false, "", "", "", ""},
                      RecordShape{"NoTildeBeforeIt", "6.12.26 09:30~~1111111", false, "", "", "", ""},
                      RecordShape{"EmptyRank", "6.12.26 09:30~~S~~1111111", false, "", "", "", ""},
                      RecordShape{"EmptyLine", "", false, "", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace veltrin::test
