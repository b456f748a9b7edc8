#pragma once
// The journal looked back on: how much was written, the streaks of days with an entry, the entries
// of each week, each category's average by week and by weekday, and what was written on this day
// in earlier years and a month ago. Read record by record; only one number a day is kept.
//
// Days are the dates the chronologies name, as written: no time zone moves an entry to another
// day, and a day of a daylight-saving change is a day like any other. Weeks run Monday to Sunday.
// An entry whose chronology names no date is counted (entries, words) but placed on no day.
#include "core/JournalExport.h"

#include <map>
#include <vector>

namespace veltrin::core {

// Ratings gathered over some entries, kept as sums so that every average is exact.
struct RatingSums {
    int entries = 0;
    std::array<int, 7> sum{};     // Power .. Being Awake
    std::array<int, 7> rated{};   // the entries rated 1 .. 5 in the category
    void add(const Ratings& ratings);
    // The category's average, empty when no entry rated it.
    std::optional<double> average(std::size_t category) const;
    bool operator==(const RatingSums&) const = default;
};

// An entry recalled on a day: of the same date some years before, or of a month before.
struct RecalledEntry {
    QDate date;
    int yearsAgo;   // 0 for an entry of a month ago
    QString chronology;
    QString subject;
    QString text;
};

// The day a month before `today`: the same day of the month before, or its last day when it is
// shorter (31 March recalls 28 February, or 29 in a leap year).
QDate monthBefore(const QDate& today);
// Whether `today` recalls the entries of `day` of an earlier year: the same month and day, and on
// 28 February of a year without a leap day also 29 February of the leap years before.
bool recallsOnThisDay(const QDate& today, const QDate& day);

struct JournalStats {
    QDate today;
    int entries = 0;
    int undated = 0;          // entries counted without a day
    int passedOver = 0;       // lines of the store that are not records
    DamagedRecords damaged;   // sealed records that did not open
    qint64 words = 0;         // runs of characters between blanks and line breaks in the entry texts
    int days = 0;             // days with at least one entry
    // The run of days with an entry that ends today, or yesterday when today has none yet; 0 when
    // neither has one. Several entries on one day are one day of it.
    int currentStreak = 0;
    QDate currentStreakEnd;
    int longestStreak = 0;   // the earliest of the longest runs
    QDate longestStreakEnd;
    std::map<QDate, RatingSums> weeks;      // by the Monday that starts the week
    std::array<RatingSums, 7> weekdays;     // Monday .. Sunday
    std::vector<RecalledEntry> onThisDay;   // newest year first, store order within a day
    std::vector<RecalledEntry> monthAgo;    // in store order
    // The dated entries shared out over the weeks from the first one with an entry to the last.
    double entriesPerWeek() const;
};

// The Monday of the week of `day`.
QDate weekStart(const QDate& day);

// Reads the store (the entries the filter keeps) into its statistics as seen on `today`. With
// `EntryText::Skipped` the words are not counted and the recalled entries have no text; a sealed
// store with its key (as JournalReader). Throws FileError.
JournalStats readJournalStats(const QString& storePath, const QDate& today, const JournalFilter& filter = {},
                              EntryText text = EntryText::Read, const JournalKey* key = nullptr);

}   // namespace veltrin::core
