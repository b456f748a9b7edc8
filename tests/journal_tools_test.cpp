// The journal frame's chart and export: entries typed through the frame are stored as typed and come
// back from the JSON export; the chart window shows them; the save dialog and its failures.
#include "journal/Journal.h"
#include "journal/JournalChartWindow.h"
#include "support/CourseFixture.h"
#include "torch/Torch.h"

#include "core/JournalChart.h"
#include "core/JournalExport.h"
#include "core/JournalStore.h"

#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace veltrin::test {
namespace {

struct TypedEntry {
    std::array<int, 7> ranks;
    QString subject;
    QStringList lines;   // typed with Return between them
    QDateTime when;
};

// Types the text key by key; a character beyond ASCII comes as the text of a key the keyboard names not.
void typeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClick(widget, char(c.unicode()));
        else QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QDateTime at(const char* iso) { return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate); }

class JournalTools : public CourseFixture {
protected:
    void SetUp() override {
        openJournal();
        window().show();
        click(window().journalButton);
    }
    void type(const TypedEntry& entry) {
        sys.clock = entry.when;
        for (std::size_t category = 0; category < entry.ranks.size(); ++category)
            click(window().rankOptions[category][std::size_t(entry.ranks[category] - 1)]);
        window().subjectBox->lineEdit()->selectAll();
        QTest::keyClick(window().subjectBox, Qt::Key_Delete);
        typeKeys(window().subjectBox, entry.subject);
        window().entryBox->selectAll();
        QTest::keyClick(window().entryBox, Qt::Key_Delete);
        for (qsizetype line = 0; line < entry.lines.size(); ++line) {
            if (line > 0) QTest::keyClick(window().entryBox, Qt::Key_Return);
            typeKeys(window().entryBox, entry.lines[line]);
        }
        click(window().addEntryButton);
        torch::closeTorchPanel(program(), torch::Silent);
    }
    // The user answers the save dialog with `path` and the file type of `format`.
    void answerExport(const QString& path, core::ExportFormat format) {
        sys.saveAnswer = [path, format](QWidget*, const ui::SaveQuestion&) {
            return ui::SaveAnswer{path, QLatin1String(core::exportFormatInfo(format).filter)};
        };
    }
    // The real save dialog comes up and the user acts on it once.
    void useTheDialog(const std::function<void(QFileDialog&)>& user) {
        sys.saveAnswer = ui::askWithSaveDialog;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&look, &user] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                look.stop();
                user(*dialog);
            }
        });
        look.start(10);
        click(window().exportJournalButton);
    }
};

// What the user typed is stored as typed (an empty subject, a single tilde in it, RTF and tildes in
// the text; a line break gains the paragraph mark before it), under the clock's chronology, which
// the frame shows while it keeps what was entered; exported as JSON through the save dialog, each
// entry comes back dated, with its text as typed, and a PDF is written whole. The chart window,
// opened after each entry, is the one window showing every entry so far, with lines in colour.
TEST_F(JournalTools, TypedEntriesComeBackFromTheJsonExport) {
    const std::vector<TypedEntry> typed{
        {{3, 5, 2, 4, 1, 1, 4}, "Openness", {"The river, \"calm\"", "and wide ~ é"}, at("2026-12-06T09:30:15")},
        {{5, 4, 3, 2, 1, 2, 3}, "", {}, at("2027-02-01T00:00:00")},
        {{1, 1, 1, 1, 1, 1, 1}, "my ~own", {"C:\\dir {x} ~~ \\par", "", "after an empty line"}, at("2027-01-31T23:00:59")},
    };
    QByteArray store;
    for (const TypedEntry& entry : typed) {
        type(entry);
        click(window().journalChartButton);
        QString digits;
        for (int rank : entry.ranks) digits += QString::number(rank);
        store +=
            (core::chronologyText(entry.when) + "~" + Title + "~" + entry.subject + "~~" + digits + entry.lines.join("\\par \n") + "\r\n")
                .toUtf8();
        EXPECT_EQ(readFile(storePath()), store);
    }
    EXPECT_EQ(window().chronologyLabel->text(), core::chronologyText(typed.back().when));
    EXPECT_EQ(window().entryBox->Text(), typed.back().lines.join("\r\n"));
    EXPECT_EQ(journal::snapshotRanks(window()), std::optional(typed.back().ranks));
    const auto charts = window().findChildren<journal::JournalChartWindow*>();
    ASSERT_EQ(charts.size(), 1);
    EXPECT_EQ(std::pair(charts[0]->isVisible(), charts[0]->chart().points.size()), std::pair(true, typed.size()));
    const QImage picture = charts[0]->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) coloured += picture.pixelColor(x, y).saturation() > 120;
    EXPECT_GT(coloured, 200);
    const QString output = QDir::cleanPath(courseDir() + "../export.json");
    answerExport(output, core::ExportFormat::Json);
    click(window().exportJournalButton);
    // Every text and date read back is the export's own test; the last entry, typed "\par" and
    // empty line, is the one the frame and the export could disagree on.
    const QJsonArray entries = QJsonDocument::fromJson(readFile(output)).array();
    ASSERT_EQ(entries.size(), qsizetype(typed.size()));
    EXPECT_EQ(std::pair(entries[2]["date"].toString(), entries[2]["text"].toString()),
              std::pair(typed[2].when.toString(Qt::ISODate), typed[2].lines.join('\n')));
    answerExport(output.chopped(4) + "pdf", core::ExportFormat::Pdf);   // its text is the command line's test
    click(window().exportJournalButton);
    const QByteArray pdf = readFile(output.chopped(4) + "pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF")) << pdf.left(40).toStdString();
}

// The save dialog typed into, without a documents folder: it opens in the home folder and offers
// the four formats; "backup" over an existing backup.csv asks before replacing it (No, then
// Cancel, writes nothing), and "notes.txt" is written under that name, in the chosen filter's
// format. A file that cannot be written, or the journal itself, is named to the user and the
// program goes on with every file as it was.
TEST_F(JournalTools, ExportDialogAsksAboutTheNameItCompletesAndFailuresChangeNothing) {
    type({{3, 5, 2, 4, 1, 1, 4}, "Openness", {"one"}, at("2026-12-06T09:30:15")});
    const QString home = QDir::cleanPath(courseDir() + "../home");
    QDir().mkpath(home);
    writeFile(home + "/backup.csv", "kept");
    const QByteArray userHome = qgetenv("HOME");
    qputenv("HOME", home.toUtf8());
    const auto typeName = [](QFileDialog& dialog, const char* typed) {
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        name->clear();
        QTest::keyClicks(name, typed);
        QTest::keyClick(name, Qt::Key_Return);
    };
    QStringList offered;
    QString question;
    useTheDialog([&](QFileDialog& dialog) {
        offered = QStringList{dialog.directory().absolutePath(), dialog.windowTitle()} + dialog.nameFilters();
        auto* asked = new QTimer(&dialog);
        QObject::connect(asked, &QTimer::timeout, [&question] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                question += box->text();
                box->button(QMessageBox::No)->click();
            }
        });
        asked->start(10);
        typeName(dialog, "backup");
        if (dialog.isVisible()) dialog.reject();
    });
    EXPECT_EQ(offered, QStringList({home, "Export Journal", "CSV (*.csv)", "JSON (*.json)", "Markdown (*.md)", "PDF (*.pdf)"}));
    EXPECT_EQ(question, "backup.csv already exists.\nDo you want to replace it?");
    EXPECT_EQ(readFile(home + "/backup.csv"), "kept");
    useTheDialog([&](QFileDialog& dialog) { typeName(dialog, "notes.txt"); });
    qputenv("HOME", userHome);
    EXPECT_TRUE(readFile(home + "/notes.txt").startsWith("chronology,date,rank,"));

    const auto written = allFiles();
    for (const QString& target : {courseDir() + "no/such/folder/out.csv", courseDir() + "../lessons/veltrin.sdb"}) {   // the journal itself
        answerExport(target, core::ExportFormat::Csv);
        click(window().exportJournalButton);
    }
    ASSERT_EQ(sys.messages.size(), 2);
    EXPECT_TRUE(sys.messages[0].contains("no/such/folder/out.csv") && sys.messages[1].contains("veltrin.sdb"))
        << sys.messages.join("\n").toStdString();
    EXPECT_TRUE(changedFiles(written).isEmpty());
}

}   // namespace
}   // namespace veltrin::test
