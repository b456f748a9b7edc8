#include "core/JournalExport.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <string_view>

namespace veltrin::core {

namespace {

constexpr qsizetype FlushBytes = 64 * 1024;
// A spreadsheet reads a cell that starts with one of these as a formula, which may fetch or run
// something when the file is opened.
const QString FormulaStarts = QStringLiteral("=+-@\t\r");
// Characters that CommonMark reads as markup wherever they stand in a line, and at its start.
constexpr std::u16string_view MarkdownInlineMarks = u"\\`*_[<&#~";
constexpr std::u16string_view MarkdownLineStartMarks = u">-+=";

// "Holy Connection" becomes "holy_connection".
QString fieldName(const char* category) { return QString::fromLatin1(category).toLower().replace(QLatin1Char(' '), QLatin1Char('_')); }

QString ratingText(const std::optional<int>& rating) { return rating ? QString::number(*rating) : QString(); }

std::optional<int> ratingOf(const QString& digits, qsizetype at) {
    const QChar digit = at < digits.size() ? digits[at] : QChar();
    if (digit >= QLatin1Char('1') && digit <= QLatin1Char('5')) return digit.digitValue();
    return std::nullopt;
}

QString csvField(const QString& value) {
    const bool needsQuotes = std::any_of(value.begin(), value.end(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    });
    if (!needsQuotes) return value;
    QString quoted = value;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The leading apostrophe makes a spreadsheet take the cell as text.
QString guardedCell(const QString& value) {
    if (!value.isEmpty() && FormulaStarts.contains(value.front())) return QLatin1Char('\'') + value;
    return value;
}

QByteArray csvLine(const QStringList& fields, CsvCells cells) {
    QStringList quoted;
    for (const QString& field : fields) quoted << csvField(cells == CsvCells::Guarded ? guardedCell(field) : field);
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
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

void appendJsonString(QString& out, const QString& value) {
    out += QLatin1Char('"');
    const bool plain = std::none_of(value.begin(), value.end(),
                                    [](QChar c) { return c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\'); });
    if (plain) {
        out += value;
    } else {
        for (QChar c : value) appendJsonChar(out, c);
    }
    out += QLatin1Char('"');
}

QStringList fieldTexts(const ExportedEntry& entry) {
    QStringList fields{entry.chronology, isoDateText(entry.when), entry.rank, entry.subject};
    for (const auto& rating : entry.ratings) fields << ratingText(rating);
    return fields << entry.text;
}

// Ratings are numbers or null, every other field a string.
QByteArray jsonObject(const ExportedEntry& entry) {
    static const QStringList names = exportFieldNames();
    const QStringList values = fieldTexts(entry);
    QString out;
    out.reserve(256 + entry.text.size());
    out += QLatin1Char('{');
    for (qsizetype field = 0; field < names.size(); ++field) {
        if (field > 0) out += QStringLiteral(", ");
        appendJsonString(out, names[field]);
        out += QStringLiteral(": ");
        const bool isRating = field >= 4 && field < 11;
        if (!isRating) appendJsonString(out, values[field]);
        else out += values[field].isEmpty() ? QStringLiteral("null") : values[field];
    }
    out += QLatin1Char('}');
    return out.toUtf8();
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// "12." and "3)" open an ordered list at the start of a line.
bool isListNumber(QStringView digits) {
    return !digits.isEmpty() && digits.size() <= 9 &&
           std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool needsBackslash(QStringView line, qsizetype first, qsizetype at) {
    const QChar c = line[at];
    const char16_t u = c.unicode();
    if (u >= 0x80 || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u' ') return false;   // most of a text, at once
    if (MarkdownInlineMarks.find(c.unicode()) != std::u16string_view::npos) return true;
    if (at == first) return MarkdownLineStartMarks.find(c.unicode()) != std::u16string_view::npos;
    return (c == QLatin1Char('.') || c == QLatin1Char(')')) && isListNumber(line.sliced(first, at - first));
}

// One line of the user's text that CommonMark reads back as typed: its markup escaped, and the
// blanks at its ends (which CommonMark drops, or takes for a code block) and any line feed written
// as character references.
QString markdownText(QStringView line) {
    qsizetype first = 0;
    while (first < line.size() && isBlank(line[first])) ++first;
    qsizetype end = line.size();
    while (end > first && isBlank(line[end - 1])) --end;
    QString out;
    out.reserve(line.size() + 8);
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
    return out;
}

// The entry's lines joined by hard line breaks (a backslash ending the line). After the last line
// a backslash would be read as itself, so line breaks that end the text are character references.
QString markdownEntryText(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char('\n')) --end;
    QStringList lines;
    for (QStringView line : QStringView(text).first(end).split(QLatin1Char('\n'))) lines << markdownText(line);
    return lines.join(QStringLiteral("\\\n")) + QStringLiteral("&#10;").repeated(text.size() - end);
}

// One section per entry: its heading, a list of the fields, and the text as one paragraph.
QByteArray markdownSection(const ExportedEntry& entry) {
    const QString heading = entry.chronology.isEmpty() ? QStringLiteral("(no chronology)") : markdownText(entry.chronology);
    QString section = QStringLiteral("## ") + heading + QStringLiteral("\n\n");
    const QString date = isoDateText(entry.when);
    section += QStringLiteral("- Date: ") + (date.isEmpty() ? QStringLiteral("unknown") : date) + QLatin1Char('\n');
    section += QStringLiteral("- Rank: ") + markdownText(entry.rank) + QStringLiteral("\n- Subject: ") + markdownText(entry.subject) +
               QLatin1Char('\n');
    for (std::size_t category = 0; category < SnapshotCategories.size(); ++category) {
        const auto& rating = entry.ratings[category];
        section += QStringLiteral("- %1: %2\n")
                       .arg(QLatin1String(SnapshotCategories[category]), rating ? QString::number(*rating) : QStringLiteral("not rated"));
    }
    if (!entry.text.isEmpty()) section += QLatin1Char('\n') + markdownEntryText(entry.text) + QLatin1Char('\n');
    return (section + QLatin1Char('\n')).toUtf8();
}

// The form in which search compares texts: composed, and folded in full. Qt folds a character only
// into one character, so "ß" would stay apart from "SS"; lowered, raised and folded, every text
// reaches the full folding ("ẞ", "ß" and "SS" all become "ss", "ﬁ" becomes "fi").
QString searchForm(const QString& text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) return text.toLower();
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

}   // namespace

QString entryLines(const QString& storedText) {
    QString text = storedText;
    return text.replace(StoredLineBreak, QStringLiteral("\n"));
}

ExportedEntry exportedEntry(const StoredEntry& stored, const ChronologyReader& dates) {
    ExportedEntry entry{stored.chronology, dates.read(stored.chronology), stored.rank, stored.subject, {}, entryLines(stored.entryText)};
    for (std::size_t category = 0; category < entry.ratings.size(); ++category)
        entry.ratings[category] = ratingOf(stored.digits, qsizetype(category));
    return entry;
}

QString isoDateText(const QDateTime& when) {
    if (!when.isValid()) return {};
    return when.date().toString(Qt::ISODate) + QLatin1Char('T') + when.time().toString(QStringLiteral("HH:mm:ss"));
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

void JournalWriter::begin() {
    if (m_format == ExportFormat::Csv) put(csvLine(exportFieldNames(), m_cells));
    if (m_format == ExportFormat::Json) put("[");
}

void JournalWriter::write(const ExportedEntry& entry) {
    switch (m_format) {
    case ExportFormat::Csv: put(csvLine(fieldTexts(entry), m_cells)); break;
    case ExportFormat::Json: put((m_first ? "\n  " : ",\n  ") + jsonObject(entry)); break;
    case ExportFormat::Markdown: put(markdownSection(entry)); break;
    }
    m_first = false;
}

void JournalWriter::end() {
    if (m_format == ExportFormat::Json) put(m_first ? "]\n" : "\n]\n");
    flush();
}

void JournalWriter::put(const QByteArray& bytes) {
    m_pending += bytes;
    if (m_pending.size() >= FlushBytes) flush();
}

void JournalWriter::flush() {
    base::writeAll(m_output, m_pending, m_outputName);
    m_pending.clear();
}

bool JournalFilter::keeps(const ExportedEntry& entry) const {
    const QString entrySubject = searchForm(entry.subject);
    if (!subject.isEmpty() && entrySubject != searchForm(subject)) return false;
    if (from.isValid() || to.isValid()) {
        const QDate day = entry.when.date();
        if (!day.isValid() || (from.isValid() && day < from) || (to.isValid() && day > to)) return false;
    }
    if (words.isEmpty()) return true;
    const QString text = searchedText(entry.text);
    return std::all_of(words.begin(), words.end(), [&](const QString& word) {
        const QString wanted = searchForm(word);
        return text.contains(wanted, Qt::CaseInsensitive) || entrySubject.contains(wanted);
    });
}

ExportCount readExportedEntries(const QString& storePath, const std::function<bool(const ExportedEntry&)>& keep,
                                const std::function<void(const ExportedEntry&)>& use) {
    const ChronologyReader dates;
    JournalReader store(storePath);
    ExportCount count;
    StoredEntry stored;
    while (store.next(stored)) {
        const ExportedEntry entry = exportedEntry(stored, dates);
        if (!entry.when.isValid()) ++count.undated;
        if (keep && !keep(entry)) continue;
        use(entry);
        ++count.entries;
    }
    count.passedOver = store.passedOver();
    return count;
}

ExportCount exportJournal(const QString& storePath, JournalWriter& writer, const std::function<bool(const ExportedEntry&)>& keep) {
    writer.begin();
    const ExportCount count = readExportedEntries(storePath, keep, [&writer](const ExportedEntry& entry) { writer.write(entry); });
    writer.end();
    return count;
}

bool isSameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists()) return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

ExportCount saveJournalExport(const QString& storePath, ExportFormat format, const QString& outputPath, CsvCells cells) {
    if (isSameFile(outputPath, storePath))
        throw base::FileError(outputPath, QStringLiteral("It is the journal store itself, which an export is never written over."));
    QSaveFile output(outputPath);
    base::openForRewrite(output);
    JournalWriter writer(format, output, outputPath, cells);
    const ExportCount count = exportJournal(storePath, writer);
    base::commitRewrite(output);
    return count;
}

}   // namespace veltrin::core
