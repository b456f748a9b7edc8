#pragma once
// The journal store veltrin.sdb: one record per line, oldest first. A record is the chronology,
// "~", the rank, "~", the subject, "~~", the seven rank digits and the entry text, in which every
// CR of the entry box has become "\par ". Only CR or CR LF ends a record; a lone LF belongs to it.
#include "base/LineStream.h"
#include "core/JournalSeal.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace veltrin::core {

inline const QString JournalStoreName = QStringLiteral("veltrin.sdb");
// The journal report the program writes beside the store.
inline const QString JournalReportName = QStringLiteral("Journal Report.rtf");

// The categories of the Inner Snapshot, in the order their ranks are stored.
inline constexpr std::array<const char*, 7> SnapshotCategories{
    "Power", "Health", "Awareness", "Holy Connection", "Inner Feeling", "Pretending", "Being Awake",
};

// How the journal report draws a rank of 1 .. 5.
inline constexpr std::array<const char*, 5> RankBarTexts{".=        .", ".==      .", ".===    .", ".====  .", ".=====."};

// A rank 1 .. 5 per category, in the order of SnapshotCategories.
using SnapshotRanks = std::array<int, SnapshotCategories.size()>;

// A subject that holds "~~" cannot be told apart from the separator after it when read back; one
// that holds a CR or an LF would split its record or read back as another subject.
bool subjectIsStorable(const QString& subject);

// The entry box's plain text with every CR replaced by "\par " (a following LF stays).
QString convertEntryText(const QString& text);
// A line break of the entry as stored. The entry box ends its lines with CR LF, so the "\par " that
// stands for a CR is always followed by the LF, and typed text never holds an LF of its own: a
// "\par " followed by anything else is text the user typed.
inline const QString StoredLineBreak = QStringLiteral("\\par \n");
// The user's short date with a four-digit year, a blank, and the user's long time without a zone
// name (as a desktop shows it): "12/7/2026 2:35:43 PM" in US English.
QString chronologyText(const QDateTime& when, const QLocale& locale = QLocale::system());
// That form in the toolkit's date and time format letters.
QString chronologyFormat(const QLocale& locale);
// The toolkit's own form for the locale: its short date and long time, which older records have.
QString toolkitChronologyFormat(const QLocale& locale);
QString journalRecord(const QString& chronology, const QString& rank, const QString& subject, const SnapshotRanks& ranks,
                      const QString& entryText);

// How many lines of the subject list equal the subject when both are taken in lower case.
int matchingSubjectLines(const QStringList& subjectList, const QString& subject);

// A record as the report reads it back.
struct StoredEntry {
    QString chronology;
    QString rank;
    QString subject;
    QString digits;   // up to seven characters; not checked here
    QString entryText;
};

// Splits a record; empty when the line is not of the store's shape (no "~~", no "~" before it,
// or an empty rank), which only an edit from outside the program can leave.
std::optional<StoredEntry> readJournalRecord(const QString& record);

// Reads the store a record at a time, so that a long journal is never held whole. A missing store
// reads as empty; lines not of a record's shape are passed over and counted. A sealed store needs
// its key (see JournalSeal.h; `key` is not used for a plain store): a record that does not open
// with it is damaged, named in damaged(), and every other record still reads. Throws FileError,
// naming the store when it is sealed and `key` is null, wiped or from an earlier sealing.
class JournalReader {
public:
    explicit JournalReader(const QString& storePath, const JournalKey* key = nullptr);
    // Puts the next record into `entry`; false at the end of the store.
    bool next(StoredEntry& entry);
    int passedOver() const { return m_passedOver; }
    const DamagedRecords& damaged() const { return m_damaged; }

private:
    // The record's text: the line itself, or the line opened with the key; empty when damaged.
    std::optional<QString> recordText(const QString& line);

    std::optional<base::LineReader> m_lines;
    const JournalKey* m_key = nullptr;   // set for a sealed store only
    int m_lineNumber = 0;
    int m_passedOver = 0;
    DamagedRecords m_damaged;
};

}   // namespace veltrin::core
