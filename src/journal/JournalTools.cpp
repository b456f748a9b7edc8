// The journal frame's chart and export: the Inner Snapshot over time in a small window, and the
// whole journal saved as CSV, JSON or Markdown where the user chooses.
#include "journal/Journal.h"

#include "core/JournalExport.h"
#include "journal/JournalChartWindow.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "torch/Torch.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace veltrin::journal {

namespace {

const QString ChartWindowName = QStringLiteral("journalChartWindow");

using core::ExportFormatInfo;
using core::ExportFormats;

// The format the chosen name ends in, else the one of the chosen filter; a name that ends in
// another suffix ("notes.txt") is kept as it is.
const ExportFormatInfo& exportChoice(const QString& path, const QString& filter) {
    for (const ExportFormatInfo& choice : core::ExportFormats)
        if (path.endsWith(QLatin1String(choice.suffix), Qt::CaseInsensitive)) return choice;
    for (const ExportFormatInfo& choice : core::ExportFormats)
        if (filter == QLatin1String(choice.filter)) return choice;
    return core::ExportFormats[0];
}

QStringList exportFilters() {
    QStringList filters;
    for (const ExportFormatInfo& choice : core::ExportFormats) filters << QLatin1String(choice.filter);
    return filters;
}

// The documents folder, or the home folder when the user has none.
QString exportFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// The save dialog, asked in the program's own form so that it looks the same everywhere. The
// dialog itself adds the chosen filter's suffix to a name typed without one, before it asks whether
// to replace an existing file, so the question is asked about the file that will be written.
std::optional<ExportTarget> askExportTarget(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Export Journal"), QDir(exportFolder()).filePath(QStringLiteral("Veltrin Journal.csv")));
    dialog.setObjectName(QStringLiteral("exportJournalDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(exportFilters());
    dialog.setDefaultSuffix(QLatin1String(core::ExportFormats[0].suffix));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(QLatin1String(exportChoice({}, filter).suffix)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    return ExportTarget{path, exportChoice(path, dialog.selectedNameFilter()).format};
}

JournalChartWindow& chartWindow(Program& p) {
    if (auto* window = p.window.findChild<JournalChartWindow*>(ChartWindowName)) return *window;
    auto* window = new JournalChartWindow(&p.window);
    window->setObjectName(ChartWindowName);
    return *window;
}

}   // namespace

std::function<std::optional<ExportTarget>(QWidget* parent)>& exportTargetQuestion() {
    static std::function<std::optional<ExportTarget>(QWidget * parent)> question = askExportTarget;
    return question;
}

// The chart is read afresh at every click, so it shows the entries added since it last opened.
void onJournalChartClicked(Program& p) {
    torch::CloseContactWindow(p);
    chartWindow(p).showChart(core::readJournalChart(p.state.settings.CourseDir + core::JournalStoreName));
}

void onExportJournalClicked(Program& p) {
    torch::CloseContactWindow(p);
    if (const auto target = exportTargetQuestion()(&p.window))
        core::saveJournalExport(p.state.settings.CourseDir + core::JournalStoreName, target->format, target->path);
}

}   // namespace veltrin::journal
