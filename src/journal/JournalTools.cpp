// The journal frame's look back: the entries of this day in earlier years, the Inner Snapshot over
// time in a small window, and the whole journal saved as CSV, JSON, Markdown or PDF where the user chooses.
#include "journal/Journal.h"

#include "core/JournalExport.h"
#include "core/JournalStats.h"
#include "journal/JournalChartWindow.h"
#include "journal/JournalParts.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "torch/Torch.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace veltrin::journal {

namespace {

using core::ExportFormatInfo;
using core::ExportFormats;

// The format the chosen name ends in, else the one of the chosen filter; a name that ends in
// another suffix ("notes.txt") is kept as it is.
const ExportFormatInfo& exportChoice(const QString& path, const QString& filter) {
    for (const ExportFormatInfo& choice : ExportFormats)
        if (path.endsWith(QLatin1String(choice.suffix), Qt::CaseInsensitive)) return choice;
    for (const ExportFormatInfo& choice : ExportFormats)
        if (filter == QLatin1String(choice.filter)) return choice;
    return ExportFormats[0];
}

// The documents folder, or the home folder when the user has none.
QString exportFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// A protected journal's export is plain text wherever the user puts it, and the dialog says so.
ui::SaveQuestion exportQuestion(bool sealed) {
    ui::SaveQuestion question{sealed ? QStringLiteral("Export Journal (plain text, not protected)") : QStringLiteral("Export Journal"),
                              QStringLiteral("exportJournalDialog"),
                              QDir(exportFolder()).filePath(QStringLiteral("Veltrin Journal.csv")),
                              {},
                              {}};
    for (const ExportFormatInfo& format : ExportFormats) {
        question.filters << QLatin1String(format.filter);
        question.suffixes << QLatin1String(format.suffix);
    }
    return question;
}

JournalChartWindow& chartWindow(Program& p) {
    if (auto* window = p.window.findChild<JournalChartWindow*>(ChartWindowName)) return *window;
    auto* window = new JournalChartWindow(&p.window);
    window->setObjectName(ChartWindowName);
    return *window;
}

// "Openness (1 year ago); Feeling, Thought (2 years ago)": the subjects of each year, newest first.
// An entry without a subject is named by its chronology.
QString recalledNames(const std::vector<core::RecalledEntry>& recalled) {
    QStringList years;
    QStringList names;
    for (std::size_t at = 0; at < recalled.size(); ++at) {
        const core::RecalledEntry& entry = recalled[at];
        names << (entry.subject.isEmpty() ? entry.chronology : entry.subject);
        if (at + 1 < recalled.size() && recalled[at + 1].yearsAgo == entry.yearsAgo) continue;
        years << QStringLiteral("%1 (%2 %3 ago)")
                     .arg(names.join(QStringLiteral(", ")))
                     .arg(entry.yearsAgo)
                     .arg(entry.yearsAgo == 1 ? "year" : "years");
        names.clear();
    }
    return years.join(QStringLiteral("; "));
}

// A journal that cannot be read recalls nothing here: the line is a reminder, not a reading of the
// journal, and the add or the report names the file when the user turns to it.
std::vector<core::RecalledEntry> recalledToday(Program& p) {
    try {
        return core::readJournalStats(storePath(p), p.sys.now().date(), {}, core::EntryText::Skipped, journalKey(p)).onThisDay;
    } catch (const base::FileError&) { return {}; }
}

}   // namespace

// One line, cut short to the frame's room; the tooltip names every entry with its chronology.
void showOnThisDay(Program& p) {
    QLabel& line = *p.window.onThisDayLabel;
    const std::vector<core::RecalledEntry> recalled = recalledToday(p);
    QStringList chronologies;
    for (const core::RecalledEntry& entry : recalled) chronologies << entry.chronology + QStringLiteral(": ") + entry.subject;
    const QString text = QStringLiteral("On this day: ") + recalledNames(recalled);
    line.setText(line.fontMetrics().elidedText(text, Qt::ElideRight, line.width()));
    line.setToolTip(chronologies.join(QLatin1Char('\n')));
    line.setAccessibleDescription(text);
    line.setVisible(!recalled.empty());
}

// The chart is read afresh at every click, so it shows the entries added since it last opened.
void onJournalChartClicked(Program& p) {
    torch::CloseContactWindow(p);
    if (!unlockJournalIfSealed(p)) return;
    core::JournalChart chart = core::readJournalChart(storePath(p), {}, journalKey(p));
    const core::DamagedRecords damaged = chart.damaged;
    chartWindow(p).showChart(std::move(chart));
    reportDamagedRecords(p, damaged);
}

void onExportJournalClicked(Program& p) {
    torch::CloseContactWindow(p);
    if (!unlockJournalIfSealed(p)) return;
    if (const auto answer = p.sys.askSaveFile(&p.window, exportQuestion(journalKey(p) != nullptr))) {
        const core::ExportCount count = core::saveJournalExport(storePath(p), exportChoice(answer->path, answer->filter).format,
                                                                answer->path, core::CsvCells::Guarded, journalKey(p));
        reportDamagedRecords(p, count.damaged);
    }
}

}   // namespace veltrin::journal
