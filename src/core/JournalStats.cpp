#include "core/JournalStats.h"

#include <algorithm>

namespace veltrin::core {

namespace {

qint64 countWords(const QString& text) {
    qint64 words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool blank = c.isSpace();
        words += !blank && !inWord;
        inWord = !blank;
    }
    return words;
}

bool isLeapDay(const QDate& day) { return day.month() == 2 && day.day() == 29; }

// The run of consecutive days in `days` (sorted, each once) that ends at `last`.
int runEndingAt(const std::vector<qint64>& days, qint64 last) {
    auto at = std::lower_bound(days.begin(), days.end(), last);
    if (at == days.end() || *at != last) return 0;
    int run = 1;
    for (; at != days.begin() && *(at - 1) == *at - 1; --at) ++run;
    return run;
}

// Gathers the statistics an entry at a time.
class StatsBuilder {
public:
    StatsBuilder(const QDate& today) : m_monthAgo(monthBefore(today)) { m_stats.today = today; }

    void take(const ExportedEntry& entry) {
        ++m_stats.entries;
        m_stats.words += countWords(entry.text);
        const QDate day = entry.when.date();
        if (!day.isValid()) {
            ++m_stats.undated;
            return;
        }
        m_days.push_back(day.toJulianDay());
        m_stats.weeks[weekStart(day)].add(entry.ratings);
        m_stats.weekdays[std::size_t(day.dayOfWeek() - 1)].add(entry.ratings);
        if (recallsOnThisDay(m_stats.today, day))
            m_stats.onThisDay.push_back({day, m_stats.today.year() - day.year(), entry.chronology, entry.subject, entry.text});
        if (day == m_monthAgo) m_stats.monthAgo.push_back({day, 0, entry.chronology, entry.subject, entry.text});
    }

    JournalStats finish(const ExportCount& count) {
        m_stats.passedOver = count.passedOver;
        m_stats.damaged = count.damaged;
        std::sort(m_days.begin(), m_days.end());
        m_days.erase(std::unique(m_days.begin(), m_days.end()), m_days.end());
        m_stats.days = int(m_days.size());
        placeLongestStreak();
        placeCurrentStreak();
        std::stable_sort(m_stats.onThisDay.begin(), m_stats.onThisDay.end(),
                         [](const RecalledEntry& a, const RecalledEntry& b) { return a.date > b.date; });
        return std::move(m_stats);
    }

private:
    void placeLongestStreak() {
        int run = 0;
        for (std::size_t i = 0; i < m_days.size(); ++i) {
            run = i > 0 && m_days[i - 1] == m_days[i] - 1 ? run + 1 : 1;
            if (run <= m_stats.longestStreak) continue;
            m_stats.longestStreak = run;
            m_stats.longestStreakEnd = QDate::fromJulianDay(m_days[i]);
        }
    }

    void placeCurrentStreak() {
        for (const QDate& end : {m_stats.today, m_stats.today.addDays(-1)}) {
            m_stats.currentStreak = runEndingAt(m_days, end.toJulianDay());
            if (m_stats.currentStreak == 0) continue;
            m_stats.currentStreakEnd = end;
            return;
        }
    }

    JournalStats m_stats;
    QDate m_monthAgo;
    std::vector<qint64> m_days;   // one for each dated entry, then each day once
};

}   // namespace

void RatingSums::add(const Ratings& ratings) {
    ++entries;
    for (std::size_t category = 0; category < ratings.size(); ++category) {
        if (!ratings[category]) continue;
        sum[category] += *ratings[category];
        ++rated[category];
    }
}

std::optional<double> RatingSums::average(std::size_t category) const {
    if (rated[category] == 0) return std::nullopt;
    return double(sum[category]) / double(rated[category]);
}

QDate monthBefore(const QDate& today) { return today.addMonths(-1); }   // the toolkit keeps to the shorter month's end

bool recallsOnThisDay(const QDate& today, const QDate& day) {
    if (day.year() >= today.year()) return false;
    if (day.month() == today.month() && day.day() == today.day()) return true;
    const bool lastOfShortFebruary = today.month() == 2 && today.day() == 28 && !QDate::isLeapYear(today.year());
    return lastOfShortFebruary && isLeapDay(day);
}

QDate weekStart(const QDate& day) { return day.addDays(1 - day.dayOfWeek()); }

double JournalStats::entriesPerWeek() const {
    if (weeks.empty()) return 0;
    const qint64 spanned = weeks.begin()->first.daysTo(weeks.rbegin()->first) / 7 + 1;
    return double(entries - undated) / double(spanned);
}

JournalStats readJournalStats(const QString& storePath, const QDate& today, const JournalFilter& filter, EntryText text,
                              const JournalKey* key) {
    StatsBuilder builder(today);
    const ExportCount count = readExportedEntries(
        storePath, filter.keeper(), [&builder](const ExportedEntry& entry) { builder.take(entry); }, text, key);
    return builder.finish(count);
}

}   // namespace veltrin::core
