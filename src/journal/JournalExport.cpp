#include "journal/JournalExport.h"

#include "base/FileError.h"
#include "ui/MainWindow.h"

#include <algorithm>

namespace veltrin::journal {

namespace {

const QString ParagraphMark = QStringLiteral("\\par ");
constexpr qsizetype FlushBytes = 64 * 1024;

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

QByteArray csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields) quoted << csvField(field);
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

// A hard line break (two blanks) at the end of each line keeps the entry's lines apart.
QByteArray markdownSection(const ExportedEntry& entry) {
    const QString heading = entry.chronology.isEmpty() ? QStringLiteral("(no chronology)") : entry.chronology;
    QString section = QStringLiteral("## ") + heading + QStringLiteral("\n\n");
    const QString date = isoDateText(entry.when);
    section += QStringLiteral("- Date: ") + (date.isEmpty() ? QStringLiteral("unknown") : date) + QLatin1Char('\n');
    section += QStringLiteral("- Rank: ") + entry.rank + QStringLiteral("\n- Subject: ") + entry.subject + QLatin1Char('\n');
    for (std::size_t category = 0; category < ui::SnapshotLayout.size(); ++category) {
        const auto& rating = entry.ratings[category];
        section +=
            QStringLiteral("- %1: %2\n")
                .arg(QLatin1String(ui::SnapshotLayout[category].name), rating ? QString::number(*rating) : QStringLiteral("not rated"));
    }
    if (!entry.text.isEmpty())
        section += QLatin1Char('\n') + entry.text.split(QLatin1Char('\n')).join(QStringLiteral("  \n")) + QLatin1Char('\n');
    return (section + QLatin1Char('\n')).toUtf8();
}

}   // namespace

QString entryLines(const QString& storedText) {
    QString text = storedText;
    return text.replace(ParagraphMark + QLatin1Char('\n'), QStringLiteral("\n")).replace(ParagraphMark, QStringLiteral("\n"));
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
    for (const ui::SnapshotCategory& category : ui::SnapshotLayout) names << fieldName(category.name);
    return names << QStringLiteral("text");
}

std::optional<ExportFormat> exportFormatNamed(const QString& name) {
    if (name == QLatin1String("csv")) return ExportFormat::Csv;
    if (name == QLatin1String("json")) return ExportFormat::Json;
    if (name == QLatin1String("md")) return ExportFormat::Markdown;
    return std::nullopt;
}

JournalWriter::JournalWriter(ExportFormat format, QIODevice& output, QString outputName)
    : m_format(format), m_output(output), m_outputName(std::move(outputName)) {}

void JournalWriter::begin() {
    if (m_format == ExportFormat::Csv) put(csvLine(exportFieldNames()));
    if (m_format == ExportFormat::Json) put("[");
}

void JournalWriter::write(const ExportedEntry& entry) {
    switch (m_format) {
    case ExportFormat::Csv: put(csvLine(fieldTexts(entry))); break;
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
    if (m_output.write(m_pending) != m_pending.size()) throw base::FileError(m_outputName, m_output.errorString());
    m_pending.clear();
}

bool JournalFilter::keeps(const ExportedEntry& entry) const {
    if (!subject.isEmpty() && entry.subject.compare(subject, Qt::CaseInsensitive) != 0) return false;
    if (from.isValid() || to.isValid()) {
        const QDate day = entry.when.date();
        if (!day.isValid() || (from.isValid() && day < from) || (to.isValid() && day > to)) return false;
    }
    return std::all_of(words.begin(), words.end(), [&entry](const QString& word) {
        return entry.text.contains(word, Qt::CaseInsensitive) || entry.subject.contains(word, Qt::CaseInsensitive);
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

}   // namespace veltrin::journal
