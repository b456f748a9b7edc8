// The journal frame's chart and export: the Inner Snapshot over time in a small window, and the
// whole journal saved as CSV, JSON or Markdown where the user chooses.
#include "journal/Journal.h"

#include "core/JournalExport.h"
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

}   // namespace

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
