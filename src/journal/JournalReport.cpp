#include "journal/JournalReport.h"

#include "journal/Journal.h"
#include "journal/JournalParts.h"

#include "base/FileError.h"
#include "base/LineStream.h"
#include "base/TextFile.h"
#include "torch/Torch.h"
#include "ui/Twips.h"

namespace veltrin::journal {

namespace {

// A category's label in the report; Power's has one blank more for the digits 2 to 5.
struct CategoryLabel {
    const char* rankOne;
    const char* rankTwoToFive;
};

// Power, Health, Awareness, Holy Connection, Inner Feeling, Pretending, Being Awake.
constexpr std::array<CategoryLabel, 7> CategoryLabels{{
    {"\\cf1                Power: ", "\\cf1                 Power: "},
    {"\\cf1                Health: ", "\\cf1                Health: "},
    {"\\cf1         Awareness: ", "\\cf1         Awareness: "},
    {"\\cf1 Holy Connection: ", "\\cf1 Holy Connection: "},
    {"\\cf1     Inner Feeling: ", "\\cf1     Inner Feeling: "},
    {"\\cf1         Pretending: ", "\\cf1         Pretending: "},
    {"\\cf1      Being Awake: ", "\\cf1      Being Awake: "},
}};

const QString ParagraphMark = QStringLiteral("\\par ");
const QString Rule = QStringLiteral("\\par \\cf0 _____________________________________________________\\par ");

// The viewer's place while it shows the report, in twips: over the right part of the journal frame,
// ending just above the frame's row of buttons (its top at 5205 on the window), so that "Close
// Journal", "Done" and the others stay within reach of the mouse while the report is shown.
constexpr int ViewerLeft = 2620;
constexpr int ViewerTop = 875;
constexpr int ViewerWidth = 7455;
constexpr int ViewerHeight = 4290;

void appendEscaped(QString& out, QChar c) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
        out += QLatin1Char('\\');
        out += c;
    } else if (c.unicode() > 0x7F) {
        // \uN takes a signed 16-bit number; the "?" is what a reader without Unicode shows.
        out += QStringLiteral("\\u%1?").arg(qint16(c.unicode()));
    } else {
        out += c;
    }
}

void appendReportText(QString& out, QStringView text) {
    for (QChar c : text) appendEscaped(out, c);
}

QString categoryLine(std::size_t category, int digit, const RankBarTexts& rankBars) {
    const CategoryLabel& label = CategoryLabels[category];
    return QLatin1String(digit == 1 ? label.rankOne : label.rankTwoToFive) + rankBars[std::size_t(digit)] + ParagraphMark;
}

// The controls that opening the report changes: as they were before the click, and as the opening
// left them.
struct ReportControls {
    bool reportOpen;
    bool speedBarEnabled;
    bool positionBarEnabled;
    bool viewerHidden;
    QRect viewerPlace;
    QString viewerFile;
    QString viewerText;
};

// A viewer that holds a file gets it back by loading it again, so only a text of its own is kept:
// the text of a long report would cost time and memory at every click.
ReportControls reportControls(const Program& p) {
    const ui::MainWindow& f = p.window;
    const QString file = f.documentViewer->FileName();
    return {p.state.screen.ReportOpen,
            f.speedBar->isEnabled(),
            f.positionBar->isEnabled(),
            !p.state.screen.DocumentShown,
            f.documentViewer->geometry(),
            file,
            file.isEmpty() ? f.documentViewer->Text() : QString()};
}

// Puts back what the opening changed and nothing else: a control that a handler run in the
// opening's yield has changed since (Done, the journal button, the manual) keeps what it did.
void putBack(Program& p, const ReportControls& before, const ReportControls& opened) {
    ui::MainWindow& f = p.window;
    const ReportControls now = reportControls(p);
    if (now.reportOpen == opened.reportOpen) showReportOpen(p, before.reportOpen);
    if (now.speedBarEnabled == opened.speedBarEnabled) f.speedBar->setEnabled(before.speedBarEnabled);
    if (now.positionBarEnabled == opened.positionBarEnabled) f.positionBar->setEnabled(before.positionBarEnabled);
    if (now.viewerFile == opened.viewerFile && now.viewerText == opened.viewerText) {
        if (before.viewerFile.isEmpty()) f.documentViewer->SetText(before.viewerText);
        else f.documentViewer->LoadFile(before.viewerFile);
    }
    if (now.viewerPlace == opened.viewerPlace) f.documentViewer->setGeometry(before.viewerPlace);
    if (now.viewerHidden == opened.viewerHidden) torch::showDocumentViewer(p, !before.viewerHidden);
}

void placeViewer(Program& p) { p.window.documentViewer->setGeometry(ui::twipsRect(ViewerLeft, ViewerTop, ViewerWidth, ViewerHeight)); }

void showPreparingMessage(Program& p) {
    ui::MainWindow& f = p.window;
    torch::PlaySound(p, QStringLiteral("xitjnl"));
    enableScrollBars(p, false);
    showReportOpen(p, true);
    f.documentViewer->SetText(QStringLiteral("Preparing Journal Report..."));
    torch::showDocumentViewer(p, true);
}

// A protected journal's report is shown from memory; a plain one is written beside the store first.
void showReport(Program& p, core::DamagedRecords& damaged) {
    if (const core::JournalKey* key = journalKey(p)) {
        p.window.documentViewer->ShowLongDocument(journalReportBytes(storePath(p), p.state.RankBars, key, damaged));
        return;
    }
    const QString report = p.state.settings.CourseDir + JournalReportName;
    damaged = writeJournalReport(storePath(p), report, p.state.RankBars);
    p.window.documentViewer->LoadLongFile(report);
}

// A report that cannot be written puts back the controls its opening changed; the old report file
// stays whole, so a viewer that held it holds it again. A click on the button in the yield finds
// "Close Journal" and runs the closing steps.
void openJournalReport(Program& p) {
    const ReportControls before = reportControls(p);
    placeViewer(p);
    showPreparingMessage(p);
    const ReportControls opened = reportControls(p);
    p.sys.Yield();
    core::DamagedRecords damaged;
    try {
        showReport(p, damaged);
    } catch (const base::FileError&) {
        putBack(p, before, opened);
        throw;
    }
    reportDamagedRecords(p, damaged);
}

void closeJournalReport(Program& p) {
    placeViewer(p);
    torch::PlaySound(p, QStringLiteral("viewjnl"));
    showReportOpen(p, false);
    enableScrollBars(p, true);
    torch::showDocumentViewer(p, false);
}

}   // namespace

QString reportText(const QString& text) {
    QString out;
    out.reserve(text.size());
    appendReportText(out, text);
    return out;
}

// The stored "\par " marks, each with the LF that may follow it, are the entry's line breaks.
QString reportEntryText(const QString& entryText) {
    QString out;
    out.reserve(entryText.size());
    qsizetype from = 0;
    for (qsizetype mark; (mark = entryText.indexOf(ParagraphMark, from)) >= 0; from = mark + ParagraphMark.size()) {
        appendReportText(out, QStringView(entryText).sliced(from, mark - from));
        out += ParagraphMark;
    }
    appendReportText(out, QStringView(entryText).sliced(from));
    return out;
}

QStringList reportLines(const core::StoredEntry& entry, const RankBarTexts& rankBars) {
    QStringList lines{
        QStringLiteral("\\cf6 Chronology:\\par    ") + reportText(entry.chronology) + QStringLiteral("\\par \\par \\cf0 "),
        QStringLiteral("\\cf7 Rank:\\par    ") + reportText(entry.rank) + QStringLiteral("\\par \\par \\cf0 "),
        QStringLiteral("\\cf2 Subject:\\par    ") + reportText(entry.subject) + QStringLiteral("\\par \\par \\cf0"),
    };
    for (std::size_t category = 0; category < CategoryLabels.size(); ++category) {
        const qsizetype at = qsizetype(category);
        const QChar digit = at < entry.digits.size() ? entry.digits[at] : QChar();
        if (digit >= QLatin1Char('1') && digit <= QLatin1Char('5')) lines << categoryLine(category, digit.digitValue(), rankBars);
    }
    lines << QStringLiteral("\\par \\cf3 Entry:\\par ") + reportEntryText(entry.entryText) + Rule;
    return lines;
}

namespace {

// Hands on the report a record's lines at a time.
core::DamagedRecords forEachReportPart(const QString& storePath, const RankBarTexts& rankBars, const core::JournalKey* key,
                                       const std::function<void(const QString&)>& write) {
    write(core::DocumentHeader);
    core::JournalReader store(storePath, key);
    core::StoredEntry entry;
    while (store.next(entry)) write(reportLines(entry, rankBars).join(QLatin1String("\r\n")));
    write(QStringLiteral("}"));
    return store.damaged();
}

}   // namespace

core::DamagedRecords writeJournalReport(const QString& storePath, const QString& reportPath, const RankBarTexts& rankBars,
                                        const core::JournalKey* key) {
    base::AtomicLineWriter report(reportPath);
    // A record's lines go out in one write.
    const core::DamagedRecords damaged = forEachReportPart(storePath, rankBars, key, [&](const QString& part) { report.write(part); });
    report.commit();
    return damaged;
}

QByteArray journalReportBytes(const QString& storePath, const RankBarTexts& rankBars, const core::JournalKey* key,
                              core::DamagedRecords& damaged) {
    QByteArray report;
    damaged = forEachReportPart(storePath, rankBars, key, [&](const QString& part) { report += base::encodeLine(part) + "\r\n"; });
    return report;
}

// The report stays open while the journal button hides the viewer: the caption still reads "Close
// Journal", and the next click closes it.
void onViewJournalClicked(Program& p) {
    torch::CloseContactWindow(p);
    if (p.state.screen.ReportOpen) closeJournalReport(p);
    else if (unlockJournalIfSealed(p)) openJournalReport(p);
}

}   // namespace veltrin::journal
