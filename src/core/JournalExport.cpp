#include "core/JournalExport.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "core/JournalPdf.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <string_view>

namespace veltrin::core {

namespace {

constexpr qsizetype FlushCharacters = 64 * 1024;
// A spreadsheet reads a cell that starts with one of these as a formula, which may fetch or run
// something when the file is opened.
const QString FormulaStarts = QStringLiteral("=+-@\t\r");
// Characters that CommonMark reads as markup wherever they stand in a line, and at its start.
// After a number at its start, "." and ")" open an ordered list ("12." and "3)").
enum MarkdownMark : unsigned char { Plain, Inline, LineStart, ListEnd };
constexpr std::array<MarkdownMark, 128> MarkdownMarks = [] {
    std::array<MarkdownMark, 128> marks{};
    for (const char c : std::string_view("\\`*_[<&#~")) marks[std::size_t(c)] = Inline;
    for (const char c : std::string_view(">-+=")) marks[std::size_t(c)] = LineStart;
    marks['.'] = marks[')'] = ListEnd;
    return marks;
}();

// "Holy Connection" becomes "holy_connection".
QString fieldName(const char* category) { return QString::fromLatin1(category).toLower().replace(QLatin1Char(' '), QLatin1Char('_')); }

// The texts of the ratings 1 .. 5 are made once, not once an entry.
QString ratingText(const std::optional<int>& rating) {
    static const std::array<QString, 5> digits{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                               QStringLiteral("5")};
    if (!rating) return {};
    return *rating >= 1 && *rating <= 5 ? digits[std::size_t(*rating - 1)] : QString::number(*rating);
}

std::optional<int> ratingOf(const QString& digits, qsizetype at) {
    const QChar digit = at < digits.size() ? digits[at] : QChar();
    if (digit >= QLatin1Char('1') && digit <= QLatin1Char('5')) return digit.digitValue();
    return std::nullopt;
}

// The leading apostrophe makes a spreadsheet take the cell as text.
void appendCsvCell(QString& out, const QString& value, CsvCells cells) {
    const bool guarded = cells == CsvCells::Guarded && !value.isEmpty() && FormulaStarts.contains(value.front());
    const bool needsQuotes = std::any_of(value.begin(), value.end(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    });
    if (needsQuotes) out += QLatin1Char('"');
    if (guarded) out += QLatin1Char('\'');
    if (!needsQuotes) {
        out += value;
        return;
    }
    qsizetype plainFrom = 0;   // what stands between the quotes is copied a stretch at a time
    for (qsizetype quote = value.indexOf(QLatin1Char('"')); quote >= 0; quote = value.indexOf(QLatin1Char('"'), quote + 1)) {
        out += QStringView(value).sliced(plainFrom, quote + 1 - plainFrom);
        out += QLatin1Char('"');
        plainFrom = quote + 1;
    }
    out += QStringView(value).sliced(plainFrom);
    out += QLatin1Char('"');
}

void appendCsvLine(QString& out, const QStringList& fields, CsvCells cells) {
    for (qsizetype field = 0; field < fields.size(); ++field) {
        if (field > 0) out += QLatin1Char(',');
        appendCsvCell(out, fields[field], cells);
    }
    out += QLatin1String("\r\n");
}

void appendJsonChar(QString& out, QChar c) {
    switch (c.unicode()) {
    case '"': out += QStringLiteral("\\\""); break;
    case '\\': out += QStringLiteral("\\\\"); break;
    case '\n': out += QStringLiteral("\\n"); break;
    case '\r': out += QStringLiteral("\\r"); break;
    case '\t': out += QStringLiteral("\\t"); break;
    default:
        if (c.unicode() < 0x20) out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else out += c;
    }
}

void appendJsonString(QString& out, QStringView value) {
    out += QLatin1Char('"');
    qsizetype plainFrom = 0;   // what needs no escape is copied a stretch at a time
    for (qsizetype at = 0; at < value.size(); ++at) {
        const QChar c = value[at];
        if (c.unicode() >= 0x20 && c != QLatin1Char('"') && c != QLatin1Char('\\')) continue;
        out += value.sliced(plainFrom, at - plainFrom);
        appendJsonChar(out, c);
        plainFrom = at + 1;
    }
    out += value.sliced(plainFrom);
    out += QLatin1Char('"');
}

QStringList fieldTexts(const ExportedEntry& entry) {
    QStringList fields{entry.chronology, isoDateText(entry.when), entry.rank, entry.subject};
    for (const auto& rating : entry.ratings) fields << ratingText(rating);
    return fields << entry.text;
}

// Ratings are numbers or null, every other field a string.
void appendJsonObject(QString& out, const ExportedEntry& entry) {
    static const QStringList names = exportFieldNames();
    const QStringList values = fieldTexts(entry);
    out += QLatin1Char('{');
    for (qsizetype field = 0; field < names.size(); ++field) {
        if (field > 0) out += QLatin1String(", ");
        appendJsonString(out, names[field]);
        out += QLatin1String(": ");
        const bool isRating = field >= 4 && field < 11;
        if (!isRating) appendJsonString(out, values[field]);
        else if (values[field].isEmpty()) out += QLatin1String("null");
        else out += values[field];
    }
    out += QLatin1Char('}');
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// "12." and "3)" open an ordered list at the start of a line.
bool isListNumber(QStringView digits) {
    return !digits.isEmpty() && digits.size() <= 9 &&
           std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool needsBackslash(QStringView line, qsizetype first, qsizetype at) {
    const char16_t u = line[at].unicode();
    switch (u < MarkdownMarks.size() ? MarkdownMarks[u] : Plain) {
    case Plain: return false;
    case Inline: return true;
    case LineStart: return at == first;
    case ListEnd: return isListNumber(line.sliced(first, at - first));
    }
    return false;
}

// One line of the user's text that CommonMark reads back as typed: its markup escaped, and the
// blanks at its ends (which CommonMark drops, or takes for a code block) and any line feed written
// as character references.
void appendMarkdownText(QString& out, QStringView line) {
    qsizetype first = 0;
    while (first < line.size() && isBlank(line[first])) ++first;
    qsizetype end = line.size();
    while (end > first && isBlank(line[end - 1])) --end;
    qsizetype plainFrom = 0;   // what stands between the marks is copied a stretch at a time
    for (qsizetype at = 0; at < line.size(); ++at) {
        const QChar c = line[at];
        const bool reference = at < first || at >= end || c == QLatin1Char('\n');
        if (!reference && !needsBackslash(line, first, at)) continue;
        out += line.sliced(plainFrom, at - plainFrom);
        if (reference) out += QStringLiteral("&#%1;").arg(c.unicode());
        else out += QLatin1Char('\\');
        plainFrom = reference ? at + 1 : at;
    }
    out += line.sliced(plainFrom);
}

// The entry's lines joined by hard line breaks (a backslash ending the line). After the last line
// a backslash would be read as itself, so line breaks that end the text are character references.
void appendMarkdownEntryText(QString& out, const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char('\n')) --end;
    qsizetype lineStart = 0;
    for (qsizetype lineEnd = 0; lineEnd <= end; ++lineEnd) {
        if (lineEnd < end && text[lineEnd] != QLatin1Char('\n')) continue;
        if (lineStart > 0) out += QLatin1String("\\\n");
        appendMarkdownText(out, QStringView(text).sliced(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
    }
    for (qsizetype at = end; at < text.size(); ++at) out += QLatin1String("&#10;");
}

// One section per entry: its heading, a list of the fields, and the text as one paragraph.
void appendMarkdownSection(QString& out, const ExportedEntry& entry) {
    out += QLatin1String("## ");
    if (entry.chronology.isEmpty()) out += QLatin1String("(no chronology)");
    else appendMarkdownText(out, entry.chronology);
    out += QLatin1String("\n\n- Date: ");
    const QString date = isoDateText(entry.when);
    if (date.isEmpty()) out += QLatin1String("unknown");
    else out += date;
    out += QLatin1String("\n- Rank: ");
    appendMarkdownText(out, entry.rank);
    out += QLatin1String("\n- Subject: ");
    appendMarkdownText(out, entry.subject);
    out += QLatin1Char('\n');
    for (std::size_t category = 0; category < SnapshotCategories.size(); ++category) {
        out += QLatin1String("- ");
        out += QLatin1String(SnapshotCategories[category]);
        out += QLatin1String(": ");
        const auto& rating = entry.ratings[category];
        if (rating) out += ratingText(rating);
        else out += QLatin1String("not rated");
        out += QLatin1Char('\n');
    }
    if (!entry.text.isEmpty()) {
        out += QLatin1Char('\n');
        appendMarkdownEntryText(out, entry.text);
        out += QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
}

bool isAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The form in which search compares texts: composed, and folded in full. Qt folds a character only
// into one character, so "ß" would stay apart from "SS"; lowered, raised and folded, every text
// reaches the full folding ("ẞ", "ß" and "SS" all become "ss", "ﬁ" becomes "fi").
QString searchForm(const QString& text) {
    if (isAscii(text)) return text.toLower();
    return text.normalized(QString::NormalizationForm_C).toLower().toUpper().toCaseFolded().normalized(QString::NormalizationForm_C);
}

// The characters that fold into more than one ("ß" into "ss", "ﬁ" into "fi"), with some of their
// neighbours. Every other character folds alone, as Qt's case-insensitive search compares it.
bool foldsIntoMore(char16_t u) {
    if (u < 0xDF) return false;   // ASCII and most of Latin-1: the common case, decided at once
    return u == 0xDF || u == 0x130 || u == 0x149 || u == 0x1F0 || u == 0x390 || u == 0x3B0 || u == 0x587 || (u >= 0x1E96 && u <= 0x1E9E) ||
           (u >= 0x1F50 && u <= 0x1FFC) || (u >= 0xFB00 && u <= 0xFB17);
}

// The full folding of each character that folds into more than one, worked out once.
const QString& fullFolding(char16_t u) {
    static const QHash<char16_t, QString> folded = [] {
        QHash<char16_t, QString> table;
        for (char32_t c = 0xDF; c <= 0xFFFF; ++c)
            if (foldsIntoMore(char16_t(c))) table.insert(char16_t(c), searchForm(QString(QChar(char16_t(c)))));
        return table;
    }();
    return *folded.constFind(u);
}

// The text as search looks through it, case-insensitively, for a word in its search form: composed,
// and with the characters that fold into more than one folded in full. Only those are folded here:
// folding a whole text costs ten times as much as searching it.
QString searchedText(const QString& text) {
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString expanded;
    qsizetype plainFrom = 0;   // what folds alone is copied a stretch at a time
    for (qsizetype at = 0; at < composed.size(); ++at) {
        const char16_t u = composed[at].unicode();
        if (!foldsIntoMore(u)) continue;
        expanded += QStringView(composed).sliced(plainFrom, at - plainFrom);
        expanded += fullFolding(u);
        plainFrom = at + 1;
    }
    if (plainFrom == 0) return composed;
    expanded += QStringView(composed).sliced(plainFrom);
    return expanded;
}

// An entry's text as search looks through it. An ASCII text needs neither composing nor folding
// beyond A-Z: lowered once and searched as bytes, it gives what the toolkit's case-insensitive
// search gives, which folds each character as it compares. Any other text goes to the toolkit.
class SearchedText {
public:
    explicit SearchedText(const QString& text) : m_lowered(text.size(), Qt::Uninitialized) {
        const QChar* from = text.constData();
        char* lowered = m_lowered.data();
        char16_t all = 0;
        for (qsizetype at = 0; at < text.size(); ++at) {
            const char16_t u = from[at].unicode();
            all |= u;
            lowered[at] = char(u >= u'A' && u <= u'Z' ? u + (u'a' - u'A') : u);
        }
        m_ascii = all < 0x80;
        m_text = m_ascii ? text : searchedText(text);
    }

    // Whether the text holds the word (in its search form), case ignored.
    bool contains(const QString& wanted) const {
        if (!m_ascii || !isAscii(wanted)) return m_text.contains(wanted, Qt::CaseInsensitive);
        const QByteArray word = wanted.toLatin1().toLower();
        return std::string_view(m_lowered.constData(), std::size_t(m_lowered.size())).find(word.constData(), 0, std::size_t(word.size())) !=
               std::string_view::npos;
    }

private:
    QByteArray m_lowered;   // the ASCII text in lower case
    bool m_ascii;
    QString m_text;
};

}   // namespace

// Each backslash is looked at (a search for one character is the fastest the toolkit has); the
// text is copied only when it holds a line break.
QString entryLines(const QString& storedText) {
    QString text;
    qsizetype plainFrom = 0;
    for (qsizetype at = storedText.indexOf(QLatin1Char('\\')); at >= 0; at = storedText.indexOf(QLatin1Char('\\'), at + 1)) {
        if (!QStringView(storedText).sliced(at).startsWith(StoredLineBreak)) continue;
        if (text.isNull()) text.reserve(storedText.size());
        text += QStringView(storedText).sliced(plainFrom, at - plainFrom);
        text += QLatin1Char('\n');
        plainFrom = at + StoredLineBreak.size();
        at = plainFrom - 1;
    }
    if (plainFrom == 0) return storedText;
    text += QStringView(storedText).sliced(plainFrom);
    return text;
}

ExportedEntry exportedEntry(const StoredEntry& stored, const ChronologyReader& dates, EntryText text) {
    ExportedEntry entry{stored.chronology,
                        dates.read(stored.chronology),
                        stored.rank,
                        stored.subject,
                        {},
                        text == EntryText::Read ? entryLines(stored.entryText) : QString()};
    for (std::size_t category = 0; category < entry.ratings.size(); ++category)
        entry.ratings[category] = ratingOf(stored.digits, qsizetype(category));
    return entry;
}

// Written digit by digit: the toolkit's formatting goes through the locale, a microsecond an entry.
QString isoDateText(const QDateTime& when) {
    if (!when.isValid()) return {};
    const QDate date = when.date();
    const QTime time = when.time();
    if (date.year() < 1000 || date.year() > 9999)
        return date.toString(Qt::ISODate) + QLatin1Char('T') + time.toString(QStringLiteral("HH:mm:ss"));
    std::array<char16_t, 19> text{};
    const auto put = [&text](std::size_t at, int value, int digits) {
        for (std::size_t place = at + std::size_t(digits); place-- > at; value /= 10) text[place] = char16_t(u'0' + value % 10);
    };
    put(0, date.year(), 4);
    text[4] = text[7] = u'-';
    put(5, date.month(), 2);
    put(8, date.day(), 2);
    text[10] = u'T';
    put(11, time.hour(), 2);
    text[13] = text[16] = u':';
    put(14, time.minute(), 2);
    put(17, time.second(), 2);
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

QStringList exportFieldNames() {
    QStringList names{QStringLiteral("chronology"), QStringLiteral("date"), QStringLiteral("rank"), QStringLiteral("subject")};
    for (const char* category : SnapshotCategories) names << fieldName(category);
    return names << QStringLiteral("text");
}

const ExportFormatInfo& exportFormatInfo(ExportFormat format) {
    return *std::find_if(ExportFormats.begin(), ExportFormats.end(),
                         [format](const ExportFormatInfo& info) { return info.format == format; });
}

std::optional<ExportFormat> exportFormatNamed(const QString& name) {
    for (const ExportFormatInfo& info : ExportFormats)
        if (name == QLatin1String(info.name)) return info.format;
    return std::nullopt;
}

JournalWriter::JournalWriter(ExportFormat format, QIODevice& output, QString outputName, CsvCells cells)
    : m_format(format), m_cells(cells), m_output(output), m_outputName(std::move(outputName)) {}

JournalWriter::~JournalWriter() = default;

void JournalWriter::begin() {
    if (m_format == ExportFormat::Pdf) m_pdf = std::make_unique<JournalPdf>(m_output, m_outputName);
    if (m_format == ExportFormat::Csv) appendCsvLine(m_pending, exportFieldNames(), m_cells);
    if (m_format == ExportFormat::Json) m_pending += QLatin1Char('[');
}

// Entries are written into the pending text, which goes out in large pieces: the text of every
// entry ends in ASCII, so encoding many at once gives the bytes that encoding each would.
void JournalWriter::write(const ExportedEntry& entry) {
    switch (m_format) {
    case ExportFormat::Csv: appendCsvLine(m_pending, fieldTexts(entry), m_cells); break;
    case ExportFormat::Json:
        m_pending += m_first ? QLatin1String("\n  ") : QLatin1String(",\n  ");
        appendJsonObject(m_pending, entry);
        break;
    case ExportFormat::Markdown: appendMarkdownSection(m_pending, entry); break;
    case ExportFormat::Pdf: m_pdf->write(entry); break;
    }
    m_first = false;
    if (m_pending.size() >= FlushCharacters) flush();
}

void JournalWriter::end() {
    if (m_pdf) m_pdf->end();
    if (m_format == ExportFormat::Json) m_pending += m_first ? QLatin1String("]\n") : QLatin1String("\n]\n");
    flush();
}

void JournalWriter::flush() {
    base::writeAll(m_output, m_pending.toUtf8(), m_outputName);
    m_pending.resize(0);   // keeps the room for the next piece
}

// The cheap tests first: a chart of the whole journal folds no text at all.
bool JournalFilter::keeps(const ExportedEntry& entry) const { return keeper()(entry); }

std::function<bool(const ExportedEntry&)> JournalFilter::keeper() const {
    QStringList wanted;
    for (const QString& word : words) wanted << searchForm(word);
    return [filter = *this, wanted, subjectForm = searchForm(subject)](const ExportedEntry& entry) {
        if (filter.from.isValid() || filter.to.isValid()) {
            const QDate day = entry.when.date();
            if (!day.isValid() || (filter.from.isValid() && day < filter.from) || (filter.to.isValid() && day > filter.to)) return false;
        }
        if (filter.subject.isEmpty() && wanted.isEmpty()) return true;
        const QString entrySubject = searchForm(entry.subject);
        if (!filter.subject.isEmpty() && entrySubject != subjectForm) return false;
        if (wanted.isEmpty()) return true;
        const SearchedText text(entry.text);
        return std::all_of(wanted.begin(), wanted.end(),
                           [&](const QString& word) { return text.contains(word) || entrySubject.contains(word); });
    };
}

ExportCount readExportedEntries(const QString& storePath, const std::function<bool(const ExportedEntry&)>& keep,
                                const std::function<void(const ExportedEntry&)>& use, EntryText text, const JournalKey* key) {
    const ChronologyReader dates;
    JournalReader store(storePath, key);
    ExportCount count;
    StoredEntry stored;
    while (store.next(stored)) {
        const ExportedEntry entry = exportedEntry(stored, dates, text);
        if (!entry.when.isValid()) ++count.undated;
        if (keep && !keep(entry)) continue;
        use(entry);
        ++count.entries;
    }
    count.passedOver = store.passedOver();
    count.damaged = store.damaged();
    return count;
}

ExportCount exportJournal(const QString& storePath, JournalWriter& writer, const std::function<bool(const ExportedEntry&)>& keep,
                          const JournalKey* key) {
    writer.begin();
    const ExportCount count = readExportedEntries(
        storePath, keep, [&writer](const ExportedEntry& entry) { writer.write(entry); }, EntryText::Read, key);
    writer.end();
    return count;
}

bool isSameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists()) return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

ExportCount saveJournalExport(const QString& storePath, ExportFormat format, const QString& outputPath, CsvCells cells,
                              const JournalKey* key) {
    if (isSameFile(outputPath, storePath))
        throw base::FileError(outputPath, QStringLiteral("It is the journal store itself, which an export is never written over."));
    QSaveFile output(outputPath);
    base::openForRewrite(output);
    JournalWriter writer(format, output, outputPath, cells);
    const ExportCount count = exportJournal(storePath, writer, {}, key);
    base::commitRewrite(output);
    return count;
}

}   // namespace veltrin::core
