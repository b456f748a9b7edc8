// The journal report: byte for byte for known records, the store read a record at a time, records
// not of the store's shape passed over, escaping, and the View Journal button's two states.
#include "support/JournalFixture.h"

#include "journal/JournalReport.h"
#include "torch/Torch.h"
#include "ui/Twips.h"

#include "base/TextFile.h"

namespace veltrin::test {
namespace {

const QByteArray Underscores(53, '_');

QByteArray blanks(int n) { return QByteArray(n, ' '); }

class JournalReport : public JournalFixture {
protected:
    QString reportPath() const { return courseDir() + "Journal Report.rtf"; }
    void writeReport() { journal::writeJournalReport(storePath(), reportPath(), program().state.RankBars); }
    QByteArray header() const { return torch::DocumentHeader.toUtf8() + "\r\n"; }

    // The three opening lines of a record's block.
    static QByteArray opening(const QByteArray& chronology, const QByteArray& rank, const QByteArray& subject) {
        return "\\cf6 Chronology:\\par    " + chronology + "\\par \\par \\cf0 \r\n" +
               "\\cf7 Rank:\\par    " + rank + "\\par \\par \\cf0 \r\n" +
               "\\cf2 Subject:\\par    " + subject + "\\par \\par \\cf0\r\n";
    }
    static QByteArray entry(const QByteArray& text) {
        return "\\par \\cf3 Entry:\\par " + text + "\\par \\cf0 " + Underscores + "\\par \r\n";
    }
    // The seven category lines for the ranks 3, 5, 2, 4, 1, 1, 4.
    static QByteArray exampleCategories() {
        return "\\cf1" + blanks(17) + "Power: .===    .\\par \r\n" +
               "\\cf1" + blanks(16) + "Health: .=====.\\par \r\n" +
               "\\cf1" + blanks(9) + "Awareness: .==      .\\par \r\n" +
               "\\cf1" + blanks(1) + "Holy Connection: .====  .\\par \r\n" +
               "\\cf1" + blanks(5) + "Inner Feeling: .=        .\\par \r\n" +
               "\\cf1" + blanks(9) + "Pretending: .=        .\\par \r\n" +
               "\\cf1" + blanks(6) + "Being Awake: .====  .\\par \r\n";
    }
};

// The example record with its two-line text, and one with an empty subject.
TEST_F(JournalReport, KnownRecordsAreWrittenByteForByte) {
    writeFile(storePath(), "6.12.26 09:30:15~Level One Operative of the Inner Realm~Openness~~3524114a\\par \nb\r\n"
                           "d~R~~~3524114\r\n");
    writeReport();
    EXPECT_EQ(readFile(reportPath()), header() +
                                          opening("6.12.26 09:30:15", "Level One Operative of the Inner Realm", "Openness") +
                                          exampleCategories() + entry("a\\par \nb") +
                                          opening("d", "R", "") + exampleCategories() + entry("") + "}\r\n");
}

TEST_F(JournalReport, EmptyOrMissingStoreGivesHeaderAndClosingBrace) {
    writeReport();
    EXPECT_EQ(readFile(reportPath()), header() + "}\r\n");
    QFile::remove(storePath());
    writeReport();
    EXPECT_EQ(readFile(reportPath()), header() + "}\r\n");
}

struct PowerLabel {
    const char* name;
    const char* digits;
    QByteArray categoryLines;
};

class PowerLabels : public JournalReport, public ::testing::WithParamInterface<PowerLabel> {};

TEST_P(PowerLabels, CategoryLinesFollowTheDigits) {
    writeFile(storePath(), QByteArray("d~R~S~~") + GetParam().digits + "\r\n");
    writeReport();
    EXPECT_EQ(readFile(reportPath()), header() + opening("d", "R", "S") + GetParam().categoryLines + entry("") + "}\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Digits, PowerLabels,
    ::testing::Values(PowerLabel{"PowerFiveHasSeventeenBlanks", "5", "\\cf1" + blanks(17) + "Power: .=====.\\par \r\n"},
                      PowerLabel{"DigitsOutsideOneToFiveAreLeftOut", "06x9 ,3",
                                 "\\cf1" + blanks(6) + "Being Awake: .===    .\\par \r\n"},
                      PowerLabel{"ShortSnapshotShowsWhatItHas", "15",
                                 "\\cf1" + blanks(16) + "Power: .=        .\\par \r\n" + "\\cf1" + blanks(16) +
                                     "Health: .=====.\\par \r\n"}),
    caseName);

// Only CR or CR LF ends a record; a lone LF stays in it, and a CR LF split across the reader's
// chunks is still one line end.
TEST_F(JournalReport, RecordsEndAtCrOrCrLfOnlyAndAppearOldestFirst) {
    const QByteArray longText(64 * 1024 - 9, 'x');   // puts the first CR at the end of a 64 KiB chunk
    const QByteArray first = "1~R~A~~1" + longText;
    ASSERT_EQ(first.size() + 1, 64 * 1024);
    writeFile(storePath(), first + "\r\n2~R~B~~2\r3~R~C~~3000000 a\nb\r\n");
    writeReport();
    const QByteArray powerOne = "\\cf1" + blanks(16) + "Power: .=        .\\par \r\n";
    const QByteArray powerTwo = "\\cf1" + blanks(17) + "Power: .==      .\\par \r\n";
    const QByteArray powerThree = "\\cf1" + blanks(17) + "Power: .===    .\\par \r\n";
    EXPECT_EQ(readFile(reportPath()), header() + opening("1", "R", "A") + powerOne + entry(longText.mid(6)) +
                                          opening("2", "R", "B") + powerTwo + entry("") +
                                          opening("3", "R", "C") + powerThree + entry(" a\nb") + "}\r\n");
}

TEST_F(JournalReport, LinesNotOfTheStoresShapeArePassedOver) {
    writeFile(storePath(), "garbage\r\n\r\nd~R~S~1111111\r\nd~~1111111\r\nd~R~S~~3524114one\r\n~~\r\nlast~~");
    writeReport();
    EXPECT_EQ(readFile(reportPath()), header() + opening("d", "R", "S") + exampleCategories() + entry("one") + "}\r\n");
}

TEST_F(JournalReport, FailedWriteLeavesTheOldReportWhole) {
    writeFile(reportPath(), "old report\r\n");
    writeFile(storePath(), "d~R~S~~3524114one\r\n");
    base::failWritesAfter(300);
    EXPECT_THROW(writeReport(), base::FileError);
    base::failWritesAfter(-1);
    EXPECT_EQ(readFile(reportPath()), "old report\r\n");
}

struct Escape {
    const char* name;
    const char* stored;
    const char* field;   // as written for the chronology, rank or subject
    const char* entry;   // as written for the entry text
};

class Escaping : public ::testing::TestWithParam<Escape> {};

TEST_P(Escaping, ReportHoldsOnlyAsciiAndShowsWhatWasTyped) {
    const QString stored = QString::fromUtf8(GetParam().stored);
    EXPECT_EQ(journal::reportText(stored), QString::fromLatin1(GetParam().field));
    EXPECT_EQ(journal::reportEntryText(stored), QString::fromLatin1(GetParam().entry));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Escaping,
    ::testing::Values(Escape{"PlainText", "one two", "one two", "one two"},
                      Escape{"Backslash", "C:\\dir", "C:\\\\dir", "C:\\\\dir"},
                      Escape{"ParagraphMarkWithLineFeed", "a\\par \nb", "a\\\\par \nb", "a\\par \nb"},
                      Escape{"ParagraphMarkWithoutBlank", "a\\par", "a\\\\par", "a\\\\par"},
                      Escape{"Latin", "caf\xC3\xA9", "caf\\u233?", "caf\\u233?"},
                      Escape{"AboveSignedRange", "\xEF\xBC\xA1", "\\u-223?", "\\u-223?"},
                      Escape{"OutsideTheBasicPlane", "\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?", "\\u-10179?\\u-8704?"}),
    caseName);

TEST_F(JournalReport, EscapedReportShowsExactlyWhatWasTyped) {
    writeLines(storePath(), {"d~R~{S}~~3524114C:\\{x} caf\u00e9 \u20ac\\par \nnext"});
    click(form().Command15);
    const QString shown = form().RichTextBox4->Text();
    EXPECT_TRUE(shown.contains("{S}")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("C:\\{x} caf\u00e9 \u20ac\r\nnext")) << shown.toStdString();
    for (char byte : readFile(reportPath())) EXPECT_GE(byte, 0);
}

TEST_F(JournalReport, TwoClicksShowThenHideTheReport) {
    writeFile(storePath(), "d~R~S~~3524114one\r\n");
    form().Frame1->show();
    form().VScroll1->setEnabled(false);
    form().VScroll2->setEnabled(false);

    click(form().Command15);
    EXPECT_EQ(form().Command15->text(), "Close Journal");
    EXPECT_FALSE(form().RichTextBox4->isHidden());
    EXPECT_EQ(form().RichTextBox4->geometry(), ui::twipsRect(2620, 875, 7455, 4740));
    EXPECT_TRUE(form().RichTextBox4->FileName().endsWith("/Journal Report.rtf"));
    EXPECT_TRUE(form().RichTextBox4->Text().contains("Entry:"));
    EXPECT_FALSE(form().VScroll1->isEnabled());

    click(form().Command15);
    EXPECT_EQ(form().Command15->text(), "View Journal");
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    EXPECT_FALSE(form().Frame1->isHidden());
    EXPECT_TRUE(form().VScroll1->isEnabled());
    EXPECT_TRUE(form().VScroll2->isEnabled());
    EXPECT_EQ(sys.playedSounds(), QStringList({"xitjnl", "viewjnl"}));
}

// The message is on screen at the yield, and the caption already reads "Close Journal" there, so a
// click at that moment closes the report.
TEST_F(JournalReport, SecondClickWhileThePreparingMessageShowsClosesIt) {
    ui::Form1& f = form();
    QString seen;
    sys.script("press View Journal again while the report is prepared", [&f] { return !f.RichTextBox4->isHidden(); },
               [&f, &seen] {
                   seen = f.RichTextBox4->Text();
                   QTest::mouseClick(f.Command15, Qt::LeftButton);
               });
    click(form().Command15);
    EXPECT_EQ(seen, "Preparing Journal Report...");
    EXPECT_EQ(form().Command15->text(), "View Journal");
    EXPECT_TRUE(form().RichTextBox4->isHidden());
    EXPECT_TRUE(form().VScroll1->isEnabled());
    EXPECT_EQ(sys.playedSounds(), QStringList({"xitjnl", "viewjnl"}));
}

TEST_F(JournalReport, CaptionNotVisibilityDecides) {
    form().Command15->setText("Close Journal");
    form().RichTextBox4->hide();
    click(form().Command15);
    EXPECT_EQ(sys.playedSounds(), QStringList({"viewjnl"}));
    EXPECT_EQ(form().Command15->text(), "View Journal");
    EXPECT_FALSE(QFile::exists(reportPath()));
}

TEST_F(JournalReport, UnwritableReportNamesTheFile) {
    QDir().mkpath(reportPath());   // a folder where the report should be
    click(form().Command15);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("Journal Report.rtf"));
}

} // namespace
} // namespace veltrin::test
