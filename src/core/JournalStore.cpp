#include "core/JournalStore.h"

#include "base/TextFile.h"
#include "core/JournalSealParts.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace veltrin::core {

namespace {

const QString Separator = QStringLiteral("~");
const QString SubjectEnd = QStringLiteral("~~");

}   // namespace

// The reader takes the first "~~" as the end of the subject, so a subject must not hold one, nor
// make one with the separators around it by starting or ending with "~". A CR would end the record
// early; a lone LF would vanish from the report, which would then show a subject that was never
// counted under that name.
bool subjectIsStorable(const QString& subject) {
    return !subject.contains(SubjectEnd) && !subject.startsWith(Separator) && !subject.endsWith(Separator) &&
           !subject.contains(QLatin1Char('\r')) && !subject.contains(QLatin1Char('\n'));
}

QString convertEntryText(const QString& text) {
    QString converted = text;
    return converted.replace(QLatin1Char('\r'), QStringLiteral("\\par "));
}

QString chronologyText(const QDateTime& when, const QLocale& locale) { return locale.toString(when, chronologyFormat(locale)); }

QString toolkitChronologyFormat(const QLocale& locale) {
    return locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + locale.timeFormat(QLocale::LongFormat);
}

// A year field of any length becomes four digits; a zone field goes with the blanks and brackets
// around it. Quoted texts stay as they are.
QString chronologyFormat(const QLocale& locale) {
    static const QRegularExpression parts(QStringLiteral(R"('[^']*'?|y+|[\s(\[]*t+[\s)\]]*)"));
    const QString format = toolkitChronologyFormat(locale);
    QString written;
    qsizetype at = 0;
    for (auto found = parts.globalMatch(format); found.hasNext();) {
        const QRegularExpressionMatch part = found.next();
        written += QStringView(format).mid(at, part.capturedStart() - at);
        const QChar first = part.captured().front();
        written += first == QLatin1Char('\'') ? part.captured() : first == QLatin1Char('y') ? QStringLiteral("yyyy") : QStringLiteral(" ");
        at = part.capturedEnd();
    }
    written += QStringView(format).mid(at);
    return written.trimmed();
}

QString journalRecord(const QString& chronology, const QString& rank, const QString& subject, const SnapshotRanks& ranks,
                      const QString& entryText) {
    QString digits;
    for (int categoryRank : ranks) digits += QString::number(categoryRank);
    return chronology + Separator + rank + Separator + subject + SubjectEnd + digits + entryText;
}

int matchingSubjectLines(const QStringList& subjectList, const QString& subject) {
    const QString wanted = subject.toLower();
    return int(std::count_if(subjectList.begin(), subjectList.end(), [&wanted](const QString& line) { return line.toLower() == wanted; }));
}

// The record is cut up as views: only the five fields are copied out of it.
std::optional<StoredEntry> readJournalRecord(const QString& record) {
    const qsizetype subjectEnd = record.indexOf(SubjectEnd);
    if (subjectEnd < 0) return std::nullopt;
    const QStringView head = QStringView(record).first(subjectEnd);
    QStringView tail = QStringView(record).sliced(subjectEnd + SubjectEnd.size());
    const qsizetype chronologyEnd = head.indexOf(Separator);
    if (chronologyEnd < 0) return std::nullopt;

    const QStringView rest = head.sliced(chronologyEnd + 1);
    const qsizetype rankEnd = rest.indexOf(Separator);
    const QStringView rank = rankEnd >= 0 ? rest.first(rankEnd) : rest;
    if (rank.isEmpty()) return std::nullopt;
    StoredEntry entry;
    entry.chronology = head.first(chronologyEnd).toString();
    entry.rank = rank.toString();
    if (rankEnd >= 0) entry.subject = rest.sliced(rankEnd + 1).toString();
    else tail = tail.mid(1);   // the "~" that closes an empty subject
    entry.digits = tail.left(7).toString();
    entry.entryText = tail.mid(7).toString();
    return entry;
}

// A folder in the store's place is an error the reader names, not an empty journal.
JournalReader::JournalReader(const QString& storePath, const JournalKey* key) {
    const JournalFiles files(storePath);
    settleConversion(files);
    if (journalIsSealed(storePath)) {
        requireKeyOf(files, key);
        m_key = key;
    }
    if (QFileInfo::exists(storePath)) m_lines.emplace(storePath);
}

// A sealed line is ASCII, so its decoded text gives back its bytes.
std::optional<QString> JournalReader::recordText(const QString& line) {
    if (!m_key) return line;
    const std::optional<QByteArray> record = openLine(line.toLatin1(), m_lineNumber - 1, *m_key);
    if (!record) m_damaged << m_lineNumber;
    return record ? std::optional(base::decodeLine(*record)) : std::nullopt;
}

bool JournalReader::next(StoredEntry& entry) {
    QString line;
    while (m_lines && m_lines->next(line)) {
        ++m_lineNumber;
        const std::optional<QString> text = recordText(line);
        if (!text) continue;
        if (auto record = readJournalRecord(*text)) {
            entry = std::move(*record);
            return true;
        }
        ++m_passedOver;
    }
    return false;
}

}   // namespace veltrin::core
