// The journal report: byte for byte for known records, the store read a record at a time, records
// not of the store's shape passed over, escaping, and the View Journal button's caption cases.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "journal/JournalReport.h"
#include "torch/Torch.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

namespace veltrin::test {
namespace {

QByteArray blanks(int n) { return QByteArray(n, ' '); }

class JournalReport : public CourseFixture {
protected:
    void SetUp() override { openJournal(); }
    QString reportPath() const { return courseDir() + "Journal Report.rtf"; }
    void writeReport() { journal::writeJournalReport(storePath(), reportPath(), state().RankBars); }
    // The report of `blocks`: the header, the blocks, the closing brace.
    QByteArray report(const QByteArray& blocks) const { return state::DocumentHeader.toUtf8() + "\r\n" + blocks + "}\r\n"; }

    // A record's block: three opening lines, its category lines and its entry.
    static QByteArray block(const QByteArray& chronology, const QByteArray& rank, const QByteArray& subject, const QByteArray& categories,
                            const QByteArray& text) {
        return "\\cf6 Chronology:\\par    " + chronology + "\\par \\par \\cf0 \r\n" + "\\cf7 Rank:\\par    " + rank +
               "\\par \\par \\cf0 \r\n" + "\\cf2 Subject:\\par    " + subject + "\\par \\par \\cf0\r\n" + categories +
               "\\par \\cf3 Entry:\\par " + text + "\\par \\cf0 " + QByteArray(53, '_') + "\\par \r\n";
    }
    static QByteArray category(int leadingBlanks, const char* name, const char* bar) {
        return "\\cf1" + blanks(leadingBlanks) + name + ": " + bar + "\\par \r\n";
    }
};

// A fixed store of every shape (escapes, accents, a Windows-1252 line, lone LFs and CRs, short and
// bad digits, an empty subject, lines not of the store's shape) gives exactly the stored report.
TEST_F(JournalReport, FixedStoreGivesTheGoldenReport) {
    const QString data = QStringLiteral(VELTRIN_TEST_DATA "/journal/");
    writeFile(storePath(), base::readBytes(data + "store.sdb"));
    writeReport();
    EXPECT_EQ(readFile(reportPath()), base::readBytes(data + "report.rtf"));
}

TEST_F(JournalReport, EmptyOrMissingStoreGivesHeaderAndClosingBrace) {
    for (int missing = 0; missing < 2; ++missing) {
        if (missing) QFile::remove(storePath());
        writeReport();
        EXPECT_EQ(readFile(reportPath()), report(""));
    }
}

// Only CR or CR LF ends a record; a lone LF stays in it, and a CR LF split across the reader's
// chunks is still one line end. A record splits at its first double tilde; lines not of the
// store's shape (no double tilde, no tilde before it, an empty rank) are passed over.
TEST_F(JournalReport, RecordsEndAtCrOrCrLfOnlyAndOthersArePassedOver) {
    const QByteArray longText(64 * 1024 - 9, 'x');   // puts the first CR at the end of a 64 KiB chunk
    const QByteArray first = "1~R~A~~1" + longText;
    ASSERT_EQ(first.size() + 1, 64 * 1024);
    writeFile(storePath(),
              first + "\r\n2~R~B~~2\r3~R~C~~3000000 a~~\nb\r\ngarbage\r\n\r\nd~R~S~1111111\r\nd~~1111111\r\nd~~S~~1111111\r\n~~\r\nlast~~");
    writeReport();
    EXPECT_EQ(readFile(reportPath()), report(block("1", "R", "A", category(16, "Power", ".=        ."), longText.mid(6)) +
                                             block("2", "R", "B", category(17, "Power", ".==      ."), "") +
                                             block("3", "R", "C", category(17, "Power", ".===    ."), " a~~\nb")));
}

// Only ASCII goes into the report: backslashes in the fields are doubled (in the entry a typed
// paragraph mark followed by its line feed stays one), and other characters become \u escapes.
TEST(JournalReportText, HoldsOnlyAsciiAndShowsWhatWasTyped) {
    const struct {
        const char* stored;
        const char* field;
        const char* entry;
    } cases[] = {{"a\\par \nb", "a\\\\par \nb", "a\\par \nb"},
                 {"a\\par", "a\\\\par", "a\\\\par"},
                 {"\xEF\xBC\xA1", "\\u-223?", "\\u-223?"},
                 {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?", "\\u-10179?\\u-8704?"}};
    for (const auto& c : cases) {
        EXPECT_EQ(journal::reportText(QString::fromUtf8(c.stored)), QString::fromLatin1(c.field)) << c.stored;
        EXPECT_EQ(journal::reportEntryText(QString::fromUtf8(c.stored)), QString::fromLatin1(c.entry)) << c.stored;
    }
}

// The report shows exactly what was typed, leaves every button of the frame's row (and of the
// window) to the mouse, and the second click closes it. A report that cannot be written then leaves
// the old one whole and every control as it was before the click (the bars enabled once a report was
// shown and closed); the file is named.
TEST_F(JournalReport, TwoClicksShowThenHideTheReportAndAFailedWriteChangesNothing) {
    writeLines(storePath(), {"d~R~{S}~~3524114C:\\{x} caf\u00e9 \u20ac\\par \nnext"});
    window().show();
    window().journalFrame->show();
    click(window().viewJournalButton);
    EXPECT_EQ(window().viewJournalButton->text(), "Close Journal");
    EXPECT_FALSE(window().documentViewer->isHidden());
    EXPECT_EQ(coveredButtons(), QStringList());
    const QString shown = window().documentViewer->Text();
    EXPECT_TRUE(shown.contains("{S}") && shown.contains("C:\\{x} caf\u00e9 \u20ac\r\nnext")) << shown.toStdString();
    click(window().viewJournalButton);
    EXPECT_FALSE(window().journalFrame->isHidden());
    EXPECT_EQ(sys.playedSounds(), QStringList({"xitjnl", "viewjnl"}));
    const QByteArray report = readFile(reportPath());
    const QString viewerText = window().documentViewer->Text();
    base::failWritesAfter(300);
    click(window().viewJournalButton);
    base::failWritesAfter(-1);
    EXPECT_EQ(readFile(reportPath()), report);
    EXPECT_EQ(window().viewJournalButton->text(), "View Journal");
    EXPECT_TRUE(window().documentViewer->isHidden());
    EXPECT_EQ(window().documentViewer->Text(), viewerText);
    EXPECT_TRUE(window().speedBar->isEnabled() && window().positionBar->isEnabled());
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("/Journal Report.rtf")) << sys.messages[0].toStdString();
}

// Each paragraph's text with the colour of each of its pieces.
QStringList colouredParagraphs(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString paragraph;
        for (auto piece = block.begin(); !piece.atEnd(); ++piece)
            paragraph += piece.fragment().charFormat().foreground().color().name() + ":" + piece.fragment().text() + "|";
        paragraphs << paragraph;
    }
    return paragraphs;
}

// The long view shows the report as the view itself shows it, paragraph by paragraph and colour by
// colour; the reader's keys reach its end; the next document loaded is shown by the view again.
TEST(ReportViewer, LongViewShowsWhatTheViewShowsScrollsToTheEndAndEndsAtTheNextLoad) {
    const QString report = QStringLiteral(VELTRIN_TEST_DATA "/journal/report.rtf");
    ui::RichTextView shown;
    shown.LoadFile(report);
    ui::RichTextView viewer;
    viewer.resize(497, 316);
    viewer.show();
    viewer.LoadLongFile(report);
    auto* longView = viewer.findChild<QPlainTextEdit*>();
    ASSERT_TRUE(longView && !longView->isHidden());
    EXPECT_EQ(longView->geometry(), viewer.rect());
    EXPECT_EQ(colouredParagraphs(*longView->document()), colouredParagraphs(*shown.document()));
    EXPECT_EQ(viewer.Text(), shown.Text());
    EXPECT_EQ(viewer.FileName(), report);
    QScrollBar& bar = *longView->verticalScrollBar();
    QTest::keyClick(longView, Qt::Key_End);
    EXPECT_GT(bar.value(), 500);
    EXPECT_EQ(bar.value(), bar.maximum());
    QTest::keyClick(longView, Qt::Key_Home);
    EXPECT_EQ(bar.value(), 0);
    viewer.SetText("Loading Veltrin...");
    EXPECT_TRUE(longView->isHidden());
    EXPECT_EQ(viewer.Text(), "Loading Veltrin...");
    viewer.LoadFile(report);
    EXPECT_TRUE(longView->isHidden());
    EXPECT_EQ(viewer.Text(), shown.Text());
}

}   // namespace
}   // namespace veltrin::test
