// The journal report: byte for byte for known records (the store is read as the export reads it),
// the View Journal button's two clicks, and the long view.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "core/GeneratedDocument.h"
#include "journal/JournalReport.h"
#include "ui/Accessibility.h"
#include "ui/LongTextView.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextBlock>

namespace veltrin::test {
namespace {

class JournalReport : public CourseFixture {
protected:
    void SetUp() override { openJournal(); }
    QString reportPath() const { return courseDir() + "Journal Report.rtf"; }
    void writeReport() { journal::writeJournalReport(storePath(), reportPath(), state().RankBars); }
};

// A fixed store of every shape (escapes, accents, a Windows-1252 line, lone LFs and CRs, short and
// bad digits, an empty subject, lines not of the store's shape, paragraph marks typed in the fields
// and the text) gives exactly the stored report: only ASCII, backslashes doubled but for the text's
// own line breaks. A missing store gives the header and the closing brace.
TEST_F(JournalReport, FixedStoreGivesTheGoldenReport) {
    QFile::remove(storePath());
    writeReport();
    EXPECT_EQ(readFile(reportPath()), core::DocumentHeader.toUtf8() + "\r\n}\r\n");
    const QString data = QStringLiteral(VELTRIN_TEST_DATA "/journal/");
    writeFile(storePath(), base::readBytes(data + "store.sdb"));
    writeReport();
    EXPECT_EQ(readFile(reportPath()), base::readBytes(data + "report.rtf"));
}

// The report shows exactly what was typed, leaves every button of the frame's row (and of the
// window) to the mouse, and the second click closes it and gives the bars back. (A report that cannot
// be written and a store that cannot be read are the faults' HostileWrite/JournalReport* and
// NestedHandler/Report* cases.)
TEST_F(JournalReport, TwoClicksShowThenHideTheReport) {
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
    EXPECT_EQ(window().viewJournalButton->text(), "View Journal");
    EXPECT_TRUE(window().documentViewer->isHidden() && !window().journalFrame->isHidden());
    EXPECT_TRUE(window().speedBar->isEnabled() && window().positionBar->isEnabled());
    EXPECT_EQ(sys.playedSounds(), QStringList({"xitjnl", "viewjnl"}));
}

// Each paragraph's text with the colour of each of its pieces, as the view's document holds them
// and as the long view paints them.
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

QStringList colouredParagraphs(const ui::LongTextView& view) {
    QStringList paragraphs;
    for (int at = 0; at < view.paragraphCount(); ++at) {
        QString paragraph;
        for (const QTextLayout::FormatRange& range : view.paragraphFormats(at))
            paragraph += range.format.foreground().color().name() + ":" + view.paragraphText(at).mid(range.start, range.length) + "|";
        paragraphs << paragraph;
    }
    return paragraphs;
}

// The long view shows the report as the view itself shows it, paragraph by paragraph and colour by
// colour, and copies all of it; a screen reader reads all of it, its caret on the top line on screen
// wherever the reader's keys take the text; the next document loaded is shown by the view again.
TEST(ReportViewer, LongViewShowsWhatTheViewShowsScrollsToTheEndAndEndsAtTheNextLoad) {
    const QString report = QStringLiteral(VELTRIN_TEST_DATA "/journal/report.rtf");
    ui::RichTextView shown;
    shown.LoadFile(report);
    ui::installAccessibility();
    ui::RichTextView viewer;
    viewer.resize(497, 316);
    viewer.show();
    viewer.LoadLongFile(report);
    auto* longView = viewer.findChild<ui::LongTextView*>();
    ASSERT_TRUE(longView && !longView->isHidden());
    EXPECT_EQ(longView->geometry(), viewer.rect());
    EXPECT_EQ(colouredParagraphs(*longView), colouredParagraphs(*shown.document()));
    EXPECT_EQ(viewer.Text(), shown.Text());
    QTest::keyClick(longView, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(longView, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown.document()->toPlainText());
    QAccessibleTextInterface* read = QAccessible::queryAccessibleInterface(longView)->textInterface();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->text(0, read->characterCount()), shown.document()->toPlainText());
    QScrollBar& bar = *longView->verticalScrollBar();
    QTest::keyClick(longView, Qt::Key_End);
    EXPECT_GT(bar.value(), 500);
    EXPECT_EQ(bar.value(), bar.maximum());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    longView->viewport()->repaint();
    EXPECT_GT(read->cursorPosition(), read->characterCount() / 2);
    EXPECT_EQ(read->cursorPosition(), read->offsetAtPoint(longView->viewport()->mapToGlobal(QPoint(0, 0))));
    viewer.SetText("Loading Veltrin...");
    EXPECT_TRUE(longView->isHidden());
    viewer.LoadFile(report);
    EXPECT_TRUE(longView->isHidden());
    EXPECT_EQ(viewer.Text(), shown.Text());
}

}   // namespace
}   // namespace veltrin::test
