// export, search and chart: each reads the store record by record and never writes to it.
#include "cli/CliParts.h"

#include "base/FileError.h"

#include <QDate>
#include <QDir>
#include <QProcess>

namespace veltrin::cli {

namespace {

using journal::ExportCount;
using journal::ExportFormat;

struct Suffix {
    ExportFormat format;
    const char* suffix;
};
constexpr std::array<Suffix, 3> ExportSuffixes{
    {{ExportFormat::Csv, ".csv"}, {ExportFormat::Json, ".json"}, {ExportFormat::Markdown, ".md"}}};

QString suffixOf(ExportFormat format) {
    for (const Suffix& entry : ExportSuffixes)
        if (entry.format == format) return QLatin1String(entry.suffix);
    return {};
}

QDate dateOption(const Arguments& arguments, const QString& option) {
    if (!arguments.values.contains(option)) return {};
    const QDate date = QDate::fromString(arguments.value(option), Qt::ISODate);
    if (!date.isValid()) throw UsageError(QStringLiteral("%1 takes a date as YYYY-MM-DD, not '%2'").arg(option, arguments.value(option)));
    return date;
}

journal::JournalFilter filterOf(const Arguments& arguments, const QStringList& words) {
    return {words, arguments.value(QStringLiteral("--subject")), dateOption(arguments, QStringLiteral("--from")),
            dateOption(arguments, QStringLiteral("--to"))};
}

void tellPassedOver(Console& console, int passedOver, int undated, const QString& store) {
    if (passedOver > 0)
        tell(console, QStringLiteral("veltrin: %1 line(s) of %2 are not journal entries and were passed over").arg(passedOver).arg(store));
    if (undated > 0)
        tell(console,
             QStringLiteral("veltrin: %1 entry(ies) of %2 have a chronology that cannot be read as a date").arg(undated).arg(store));
}

// The file to write: --output, or with --documents a dated name in the documents folder. The
// store itself is never the output.
QString outputPath(const Arguments& arguments, const Console& console, const QString& store, const QString& documentsName) {
    QString path = arguments.value(QStringLiteral("--output"));
    if (arguments.has(QStringLiteral("--documents"))) {
        if (!QDir().mkpath(console.documentsFolder))
            throw base::FileError(console.documentsFolder, QStringLiteral("The folder cannot be created."));
        path = QDir(console.documentsFolder).filePath(documentsName.arg(QDate::currentDate().toString(Qt::ISODate)));
    }
    if (!path.isEmpty() && journal::isSameFile(path, store))
        throw CommandError(QStringLiteral("%1 is the journal store itself; it is never written to").arg(path));
    return path;
}

// The desktop's program for the file opens it and goes on by itself.
int openWhenAsked(const Arguments& arguments, Console& console, const QString& path) {
    if (!arguments.has(QStringLiteral("--open"))) return 0;
    if (path.isEmpty()) throw UsageError(QStringLiteral("--open needs --output or --documents"));
    if (QProcess::startDetached(QStringLiteral("xdg-open"), {path})) return 0;
    tell(console, QStringLiteral("veltrin: %1 was written but could not be opened (xdg-open did not start)").arg(path));
    return 1;
}

}   // namespace

int exportCommand(const Arguments& arguments, Console& console) {
    const auto format = journal::exportFormatNamed(arguments.value(QStringLiteral("--format")));
    if (!format) throw UsageError(QStringLiteral("export needs --format csv, json or md"));
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("export takes no words: '%1'").arg(arguments.words[2]));
    const QString store = storePath(arguments, console);
    const QString output = outputPath(arguments, console, store, QStringLiteral("Veltrin Journal %1") + suffixOf(*format));
    ExportCount count;
    if (output.isEmpty()) {
        journal::JournalWriter writer(*format, console.out, QStringLiteral("standard output"));
        count = journal::exportJournal(store, writer);
    } else {
        count = journal::saveJournalExport(store, *format, output);
    }
    tellPassedOver(console, count.passedOver, count.undated, store);
    return openWhenAsked(arguments, console, output);
}

int searchCommand(const Arguments& arguments, Console& console) {
    const journal::JournalFilter filter = filterOf(arguments, arguments.words.mid(2));
    if (filter.words.isEmpty() && filter.subject.isEmpty() && !filter.from.isValid() && !filter.to.isValid())
        throw UsageError(QStringLiteral("search needs words to look for, or --subject, --from or --to"));
    const QString store = storePath(arguments, console);
    journal::JournalWriter writer(ExportFormat::Markdown, console.out, QStringLiteral("standard output"));
    const ExportCount count =
        journal::exportJournal(store, writer, [&filter](const journal::ExportedEntry& entry) { return filter.keeps(entry); });
    tellPassedOver(console, count.passedOver, count.undated, store);
    tell(console, QStringLiteral("%1 %2 found").arg(count.entries).arg(count.entries == 1 ? "entry" : "entries"));
    return 0;
}

int chartCommand(const Arguments& arguments, Console& console) {
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("chart takes no words: '%1'").arg(arguments.words[2]));
    const journal::JournalFilter filter = filterOf(arguments, {});
    const QString store = storePath(arguments, console);
    const QString output = outputPath(arguments, console, store, QStringLiteral("Veltrin Journal Chart %1.png"));
    if (output.isEmpty()) throw UsageError(QStringLiteral("chart needs --output FILE.png or FILE.svg"));
    if (!isChartPictureName(output)) throw UsageError(QStringLiteral("the chart is written as .png or .svg, not '%1'").arg(output));
    const journal::JournalChart chart = journal::readJournalChart(store, filter);
    saveChartPicture(chart, output);
    tellPassedOver(console, chart.passedOver, chart.undated, store);
    return openWhenAsked(arguments, console, output);
}

}   // namespace veltrin::cli
