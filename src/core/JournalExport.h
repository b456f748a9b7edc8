#pragma once
// The journal as the user takes it away: each record with its date read back from the chronology,
// its seven ratings as numbers and its text with real line breaks, written as CSV, JSON, Markdown
// or PDF one entry at a time, so that a long journal is never held whole.
#include "core/JournalStore.h"

#include <QDate>
#include <QDateTime>
#include <QIODevice>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace veltrin::core {

// Power .. Being Awake; empty where the stored digit is not 1 .. 5.
using Ratings = std::array<std::optional<int>, 7>;

struct ExportedEntry {
    QString chronology;   // as stored
    QDateTime when;       // invalid when the chronology cannot be read
    QString rank;
    QString subject;
    Ratings ratings;
    QString text;   // as typed: the stored line breaks are line breaks again
};

// Reads the chronologies the program writes and has written: the user's short date and long time,
// with a four-digit year and no zone name as now, or with a two-digit year and a zone name (passed
// over) as before; in the user's form first, then in the C form, the forms of the usual desktop
// locales and ISO 8601, so that a journal kept under another locale still dates. A two-digit year is
// the one ending so from 80 years before `thisYear` to 19 after it ("1/1/30" is 2030 from 2011 on).
class ChronologyReader {
public:
    explicit ChronologyReader(const QLocale& userLocale = QLocale::system(), int thisYear = QDate::currentDate().year());
    // The date and time as written (no zone), or invalid when no form reads the text.
    QDateTime read(const QString& chronology) const;

private:
    // One part of a form: a field letter repeated `count` times, or literal text.
    struct Field {
        QChar letter;
        int count;
        QString literal;
    };
    struct Pattern {
        QStringList halves;   // the locale's AM and PM, then "AM" and "PM"
        QStringList shortMonths;
        QStringList longMonths;
        QStringList days;
        std::vector<Field> fields;
    };
    struct Parts {
        int year = -1;
        int month = -1;
        int day = -1;
        int hour = 0;
        int minute = 0;
        int second = 0;
        bool twelveHour = false;
        bool afternoon = false;
    };
    static Pattern compile(const QLocale& locale, const QString& format);
    bool matchField(const Pattern& pattern, const Field& field, const QString& text, qsizetype& at, Parts& parts) const;
    QDateTime match(const Pattern& pattern, const QString& text) const;
    int fullYear(int twoDigits) const;

    int m_firstYearOfTwoDigits;
    std::vector<Pattern> m_patterns;
};

// The entry's text as typed: each stored line break an LF, a "\par " the user typed kept.
QString entryLines(const QString& storedText);
// Whether an entry is read with its text, or for its date and ratings alone (its text left empty).
enum class EntryText { Read, Skipped };
ExportedEntry exportedEntry(const StoredEntry& stored, const ChronologyReader& dates, EntryText text = EntryText::Read);
// YYYY-MM-DDTHH:MM:SS, or empty.
QString isoDateText(const QDateTime& when);

// The names of the exported fields, in their order.
QStringList exportFieldNames();

enum class ExportFormat { Csv, Json, Markdown, Pdf };
// Each format with its name on the command line, the suffix of its files and its filter in the save dialog.
struct ExportFormatInfo {
    ExportFormat format;
    const char* name;
    const char* suffix;
    const char* filter;
};
inline constexpr std::array<ExportFormatInfo, 4> ExportFormats{{
    {ExportFormat::Csv, "csv", ".csv", "CSV (*.csv)"},
    {ExportFormat::Json, "json", ".json", "JSON (*.json)"},
    {ExportFormat::Markdown, "md", ".md", "Markdown (*.md)"},
    {ExportFormat::Pdf, "pdf", ".pdf", "PDF (*.pdf)"},
}};
const ExportFormatInfo& exportFormatInfo(ExportFormat format);
// "csv", "json", "md" or "pdf"; empty for any other name.
std::optional<ExportFormat> exportFormatNamed(const QString& name);

// CSV cells that a spreadsheet would take for a formula (those starting with "=", "+", "-", "@", a
// tab or a CR) get a leading apostrophe, unless the raw text is asked for.
enum class CsvCells { Guarded, Raw };

class JournalPdf;

// Writes entries as they come; `outputName` names the output in errors. Throws FileError when the
// output refuses a write.
class JournalWriter {
public:
    JournalWriter(ExportFormat format, QIODevice& output, QString outputName, CsvCells cells = CsvCells::Guarded);
    ~JournalWriter();
    void begin();
    void write(const ExportedEntry& entry);
    void end();

private:
    void flush();

    ExportFormat m_format;
    CsvCells m_cells;
    QIODevice& m_output;
    QString m_outputName;
    QString m_pending;
    bool m_first = true;
    std::unique_ptr<JournalPdf> m_pdf;
};

// The entries that search and chart keep: every word in the text or the subject, the subject when
// one is given, and the date within from .. to when either is given (an entry without a date is
// then left out). Texts are compared composed and with case folded in full ("GRÜSSE" finds "Grüße").
struct JournalFilter {
    QStringList words;
    QString subject;
    QDate from;
    QDate to;
    bool keeps(const ExportedEntry& entry) const;
    // keeps() for a whole store: the filter's own words and subject put in their search form once.
    std::function<bool(const ExportedEntry&)> keeper() const;
};

struct ExportCount {
    int entries = 0;
    int passedOver = 0;       // lines of the store that are not records
    int undated = 0;          // records (kept or not) whose chronology reads as no date
    DamagedRecords damaged;   // sealed records that did not open: the others are all read
};

// Reads the store record by record and hands each entry that `keep` accepts (every entry when
// `keep` is empty) to `use`; a sealed store with its key (as JournalReader). Throws FileError.
ExportCount readExportedEntries(const QString& storePath, const std::function<bool(const ExportedEntry&)>& keep,
                                const std::function<void(const ExportedEntry&)>& use, EntryText text = EntryText::Read,
                                const JournalKey* key = nullptr);
// The same, written through the writer from begin to end.
ExportCount exportJournal(const QString& storePath, JournalWriter& writer, const std::function<bool(const ExportedEntry&)>& keep = {},
                          const JournalKey* key = nullptr);

// Whether two paths name one file: another spelling or a link of it too.
bool isSameFile(const QString& a, const QString& b);

// Writes the export into a new file whole, or leaves what was there. Throws FileError naming it,
// and for the store itself, which an export never replaces.
ExportCount saveJournalExport(const QString& storePath, ExportFormat format, const QString& outputPath, CsvCells cells = CsvCells::Guarded,
                              const JournalKey* key = nullptr);

}   // namespace veltrin::core
