#pragma once
// The journal report: the whole store turned into one generated document, a block of eleven
// lines or fewer per record, oldest first.
#include <QString>
#include <QStringList>
#include <array>

#include "core/JournalStore.h"

namespace veltrin::journal {

using core::JournalReportName;

using RankBarTexts = std::array<QString, 6>;   // index 1 .. 5

// Text of the store written for the report: "\", "{" and "}" escaped, characters beyond ASCII as
// \uN? escapes. In the entry text the stored "\par " marks stay paragraph marks.
QString reportText(const QString& text);
QString reportEntryText(const QString& entryText);

// The report lines of one record.
QStringList reportLines(const core::StoredEntry& entry, const RankBarTexts& rankBars);

// Reads the store a record at a time and writes the report as it goes, whole or not at all. A
// missing store counts as empty; records not of the store's shape are passed over; a protected
// store is read with its key, and the records that do not open are returned. Throws FileError.
core::DamagedRecords writeJournalReport(const QString& storePath, const QString& reportPath, const RankBarTexts& rankBars,
                                        const core::JournalKey* key = nullptr);
// The report's bytes as writeJournalReport writes them, held in memory only: a protected journal's
// report never reaches the disk.
QByteArray journalReportBytes(const QString& storePath, const RankBarTexts& rankBars, const core::JournalKey* key,
                              core::DamagedRecords& damaged);

}   // namespace veltrin::journal
