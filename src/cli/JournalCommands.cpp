// export, search, chart and stats: each reads the store record by record (a sealed one with the key
// its passphrase unlocks) and never writes to it.
#include "cli/CliParts.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace veltrin::cli {

namespace {

using core::ExportCount;
using core::ExportFormat;

// Exactly YYYY-MM-DD: the toolkit's own reading also takes a time or other text after the day.
QDate dateOption(const Arguments& arguments, const QString& option) {
    if (!arguments.values.contains(option)) return {};
    static const QRegularExpression dayForm(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    const QString text = arguments.value(option);
    const QDate date = dayForm.match(text).hasMatch() ? QDate::fromString(text, Qt::ISODate) : QDate();
    if (!date.isValid()) throw UsageError(QStringLiteral("%1 takes a date as YYYY-MM-DD, not '%2'").arg(option, text));
    return date;
}

core::JournalFilter filterOf(const Arguments& arguments, const QStringList& words) {
    const core::JournalFilter filter{words, arguments.value(QStringLiteral("--subject")), dateOption(arguments, QStringLiteral("--from")),
                                     dateOption(arguments, QStringLiteral("--to"))};
    if (filter.from.isValid() && filter.to.isValid() && filter.from > filter.to)
        throw UsageError(
            QStringLiteral("--from %1 is later than --to %2").arg(filter.from.toString(Qt::ISODate), filter.to.toString(Qt::ISODate)));
    return filter;
}

// A terminal takes control characters as commands (ESC begins one, NUL may end the line), so
// those an entry holds from an edit outside the program are shown as U+FFFD; tab and line feed stay.
bool isControl(QChar c) {
    const char16_t code = c.unicode();
    return (code < 0x20 && code != u'\t' && code != u'\n') || (code >= 0x7F && code <= 0x9F);
}

// A text without control characters is handed on as it is, not copied.
QString visibleText(QString text) {
    const auto control = [](QChar c) { return isControl(c); };   // inlined, as a function pointer is not
    if (std::none_of(text.cbegin(), text.cend(), control)) return text;
    std::replace_if(text.begin(), text.end(), control, QChar::ReplacementCharacter);
    return text;
}

core::ExportedEntry visibleEntry(core::ExportedEntry entry) {
    for (QString* field : {&entry.chronology, &entry.rank, &entry.subject, &entry.text}) *field = visibleText(*field);
    return entry;
}

// The raw text of formula-like cells is for a CSV export only.
core::CsvCells csvCells(const Arguments& arguments, ExportFormat format) {
    if (!arguments.has(QStringLiteral("--raw-csv"))) return core::CsvCells::Guarded;
    if (format != ExportFormat::Csv) throw UsageError(QStringLiteral("--raw-csv is only for export --format csv"));
    return core::CsvCells::Raw;
}

// Damaged records of a sealed store are named; the command read every other one, and ends with 1.
int tellDamaged(Console& console, const core::DamagedRecords& damaged, const QString& store) {
    if (damaged.isEmpty()) return 0;
    tell(console, QStringLiteral("veltrin: %1 of %2 %3 damaged and could not be read; every other entry was read")
                      .arg(core::damagedRecordsText(damaged), store, damaged.size() == 1 ? "is" : "are"));
    return 1;
}

void tellPassedOver(Console& console, int passedOver, int undated, const QString& store) {
    if (passedOver > 0)
        tell(console, QStringLiteral("veltrin: %1 line(s) of %2 are not journal entries and were passed over").arg(passedOver).arg(store));
    if (undated > 0)
        tell(console, QStringLiteral("veltrin: %1 %2 of %3 %4 a chronology that cannot be read as a date")
                          .arg(undated)
                          .arg(undated == 1 ? "entry" : "entries", store, undated == 1 ? "has" : "have"));
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
    if (!path.isEmpty() && core::isSameFile(path, store))
        throw CommandError(QStringLiteral("%1 is the journal store itself; it is never written to").arg(path));
    return path;
}

// The desktop's program for the file opens it and goes on by itself, in the user's environment.
int openWhenAsked(const Arguments& arguments, Console& console, const QString& path) {
    if (!arguments.has(QStringLiteral("--open"))) return 0;
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({path});
    opener.setProcessEnvironment(console.environment);
    if (opener.startDetached()) return 0;
    tell(console, QStringLiteral("veltrin: %1 was written but could not be opened (xdg-open did not start)").arg(path));
    return 1;
}

// A device or a pipe that --output names is written as a stream, as standard output is; never
// replaced by a file.
void openStream(QFile& node) {
    if (!node.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw base::FileError(node.fileName(), node.errorString());
}

// What an export reads: the store, and its key when it is sealed.
struct Source {
    QString store;
    const core::JournalKey* key;
};

ExportCount exportToStream(ExportFormat format, core::CsvCells cells, const Source& source, QIODevice& stream, const QString& name) {
    core::JournalWriter writer(format, stream, name, cells);
    return core::exportJournal(source.store, writer, {}, source.key);
}

ExportCount exportTo(ExportFormat format, core::CsvCells cells, const Source& source, const QString& output, Console& console) {
    if (output.isEmpty()) return exportToStream(format, cells, source, console.out, StandardOutput);
    if (!base::isStreamNode(output)) return core::saveJournalExport(source.store, format, output, cells, source.key);
    QFile node(output);
    openStream(node);
    return exportToStream(format, cells, source, node, output);
}

void saveChart(const core::JournalChart& chart, const QString& output) {
    if (!base::isStreamNode(output)) return base::rewriteBytes(output, chartPicture(chart, output));
    QFile node(output);
    openStream(node);
    base::writeAll(node, chartPicture(chart, output), output);
}

}   // namespace

int exportCommand(const Arguments& arguments, Console& console) {
    const auto format = core::exportFormatNamed(arguments.value(QStringLiteral("--format")));
    if (!format) throw UsageError(QStringLiteral("export needs --format csv, json, md or pdf"));
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("export takes no words: '%1'").arg(arguments.words[2]));
    const core::CsvCells cells = csvCells(arguments, *format);
    const QString store = storePath(arguments, console);
    const QString output =
        outputPath(arguments, console, store, QStringLiteral("Veltrin Journal %1") + QLatin1String(core::exportFormatInfo(*format).suffix));
    const auto key = unlockIfSealed(console, store);
    const ExportCount count = exportTo(*format, cells, {store, key ? &*key : nullptr}, output, console);
    tellPassedOver(console, count.passedOver, count.undated, store);
    const int damaged = tellDamaged(console, count.damaged, store);
    return std::max(damaged, openWhenAsked(arguments, console, output));
}

int searchCommand(const Arguments& arguments, Console& console) {
    const core::JournalFilter filter = filterOf(arguments, arguments.words.mid(2));
    if (filter.words.isEmpty() && filter.subject.isEmpty() && !filter.from.isValid() && !filter.to.isValid())
        throw UsageError(QStringLiteral("search needs words to look for, or --subject, --from or --to"));
    const QString store = storePath(arguments, console);
    const auto key = unlockIfSealed(console, store);
    core::JournalWriter writer(ExportFormat::Markdown, console.out, StandardOutput);
    writer.begin();
    const ExportCount count = core::readExportedEntries(
        store, filter.keeper(), [&writer](const core::ExportedEntry& entry) { writer.write(visibleEntry(entry)); }, core::EntryText::Read,
        key ? &*key : nullptr);
    writer.end();
    tellPassedOver(console, count.passedOver, count.undated, store);
    tell(console, QStringLiteral("%1 %2 found").arg(count.entries).arg(count.entries == 1 ? "entry" : "entries"));
    return tellDamaged(console, count.damaged, store);
}

int chartCommand(const Arguments& arguments, Console& console) {
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("chart takes no words: '%1'").arg(arguments.words[2]));
    const core::JournalFilter filter = filterOf(arguments, {});
    const QString store = storePath(arguments, console);
    const QString output = outputPath(arguments, console, store, QStringLiteral("Veltrin Journal Chart %1.png"));
    if (output.isEmpty()) throw UsageError(QStringLiteral("chart needs --output FILE.png or FILE.svg"));
    if (!isChartPictureName(output)) throw UsageError(QStringLiteral("the chart is written as .png or .svg, not '%1'").arg(output));
    const auto key = unlockIfSealed(console, store);
    const core::JournalChart chart = core::readJournalChart(store, filter, key ? &*key : nullptr);
    saveChart(chart, output);
    tellPassedOver(console, chart.passedOver, chart.undated, store);
    const int damaged = tellDamaged(console, chart.damaged, store);
    return std::max(damaged, openWhenAsked(arguments, console, output));
}

// The statistics as seen today; the recalled entries' texts shown as search shows them.
int statsCommand(const Arguments& arguments, Console& console) {
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("stats takes no words: '%1'").arg(arguments.words[2]));
    const QString format = arguments.values.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("json"))
        throw UsageError(QStringLiteral("stats takes --format text or json, not '%1'").arg(format));
    const core::JournalFilter filter = filterOf(arguments, {});
    const QString store = storePath(arguments, console);
    const auto key = unlockIfSealed(console, store);
    core::JournalStats stats = core::readJournalStats(store, QDate::currentDate(), filter, core::EntryText::Read, key ? &*key : nullptr);
    if (format == QLatin1String("json")) {
        base::writeAll(console.out, statsJson(stats), StandardOutput);
    } else {
        for (auto* recalled : {&stats.onThisDay, &stats.monthAgo})
            for (core::RecalledEntry& entry : *recalled)
                for (QString* field : {&entry.chronology, &entry.subject, &entry.text}) *field = visibleText(*field);
        base::writeAll(console.out, statsText(stats), StandardOutput);
    }
    tellPassedOver(console, stats.passedOver, stats.undated, store);
    return tellDamaged(console, stats.damaged, store);
}

}   // namespace veltrin::cli
