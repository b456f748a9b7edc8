#include "core/JournalChart.h"

#include <algorithm>
#include <deque>
#include <numeric>

namespace veltrin::core {

namespace {

constexpr double MillisecondsPerDay = 24.0 * 60 * 60 * 1000;

// The usual distance between dated entries, for placing undated ones before the first or after
// the last: the dated span shared out, or a day when there is one dated entry.
double usualStep(const std::vector<double>& x, const std::vector<std::size_t>& dated) {
    if (dated.size() < 2) return MillisecondsPerDay;
    const double span = x[dated.back()] - x[dated.front()];
    return span > 0 ? span / double(dated.size() - 1) : MillisecondsPerDay;
}

void placeBetween(std::vector<double>& x, std::size_t before, std::size_t after) {
    const double gap = double(after - before);
    for (std::size_t i = before + 1; i < after; ++i) x[i] = x[before] + (x[after] - x[before]) * double(i - before) / gap;
}

void placeAtEnds(std::vector<double>& x, const std::vector<std::size_t>& dated, double step) {
    for (std::size_t i = 0; i < dated.front(); ++i) x[i] = x[dated.front()] - step * double(dated.front() - i);
    for (std::size_t i = dated.back() + 1; i < x.size(); ++i) x[i] = x[dated.back()] + step * double(i - dated.back());
}

// Out-of-order dates in the store are taken in time order; equal times keep the store's order.
std::vector<const ChartPoint*> inTimeOrder(const std::vector<ChartPoint>& points) {
    std::vector<const ChartPoint*> ordered;
    ordered.reserve(points.size());
    for (const ChartPoint& point : points) ordered.push_back(&point);
    std::stable_sort(ordered.begin(), ordered.end(), [](const ChartPoint* a, const ChartPoint* b) { return a->x < b->x; });
    return ordered;
}

double mean(std::vector<int>::const_iterator begin, std::vector<int>::const_iterator end) {
    return double(std::accumulate(begin, end, 0)) / double(end - begin);
}

// The way the last seven ratings lean against the first seven, by half a rank or more.
const char* trend(const std::vector<int>& ratings) {
    const auto span = std::min<std::ptrdiff_t>(MovingAverageEntries, std::ssize(ratings));
    const double change = mean(ratings.end() - span, ratings.end()) - mean(ratings.begin(), ratings.begin() + span);
    return change >= 0.5 ? "rising" : change <= -0.5 ? "falling" : "steady";
}

QString describeCategory(const QString& name, const std::vector<int>& ratings) {
    if (ratings.empty()) return QStringLiteral("%1: no ratings.").arg(name);
    return QStringLiteral("%1: first %2, last %3, average %4, %5.")
        .arg(name)
        .arg(ratings.front())
        .arg(ratings.back())
        .arg(mean(ratings.begin(), ratings.end()), 0, 'f', 1)
        .arg(QLatin1String(trend(ratings)));
}

// "Monday, 3 entries: Power 3.3, ...".
QString describeWeekday(int dayOfWeek, const RatingSums& sums) {
    QStringList averages;
    for (std::size_t category = 0; category < SnapshotCategories.size(); ++category)
        if (const auto average = sums.average(category))
            averages << QStringLiteral("%1 %2").arg(QLatin1String(SnapshotCategories[category])).arg(*average, 0, 'f', 1);
    return QStringLiteral("%1, %2 %3: %4.")
        .arg(QLocale::c().standaloneDayName(dayOfWeek), QString::number(sums.entries), sums.entries == 1 ? "entry" : "entries",
             averages.join(QLatin1String(", ")));
}

}   // namespace

std::vector<double> chartPositions(const std::vector<QDateTime>& when) {
    std::vector<double> x(when.size());
    std::vector<std::size_t> dated;
    for (std::size_t i = 0; i < when.size(); ++i) {
        if (!when[i].isValid()) continue;
        x[i] = double(when[i].toMSecsSinceEpoch());
        dated.push_back(i);
    }
    if (dated.empty()) {
        std::iota(x.begin(), x.end(), 1.0);
        return x;
    }
    for (std::size_t k = 1; k < dated.size(); ++k) placeBetween(x, dated[k - 1], dated[k]);
    placeAtEnds(x, dated, usualStep(x, dated));
    return x;
}

JournalChart readJournalChart(const QString& storePath, const JournalFilter& filter, const JournalKey* key) {
    std::vector<QDateTime> when;
    std::vector<Ratings> ratings;
    JournalChart chart;
    // The texts are read only for a filter that looks for words in them.
    const EntryText text = filter.words.isEmpty() ? EntryText::Skipped : EntryText::Read;
    const auto use = [&](const ExportedEntry& entry) {
        when.push_back(entry.when);
        ratings.push_back(entry.ratings);
        if (entry.when.isValid()) chart.weekdays[std::size_t(entry.when.date().dayOfWeek() - 1)].add(entry.ratings);
    };
    const ExportCount count = readExportedEntries(storePath, filter.keeper(), use, text, key);
    chart.passedOver = count.passedOver;
    chart.damaged = count.damaged;
    chart.undated = count.undated;
    chart.dated = std::any_of(when.begin(), when.end(), [](const QDateTime& time) { return time.isValid(); });
    const std::vector<double> x = chartPositions(when);
    chart.points.reserve(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) chart.points.push_back({x[i], ratings[i]});
    return chart;
}

std::array<std::vector<ChartLinePoint>, 7> JournalChart::lines() const {
    const std::vector<const ChartPoint*> ordered = inTimeOrder(points);
    std::array<std::vector<ChartLinePoint>, 7> result;
    for (std::size_t category = 0; category < result.size(); ++category) {
        std::deque<int> last;
        int sum = 0;
        result[category].reserve(ordered.size());
        for (const ChartPoint* point : ordered) {
            const auto& rating = point->ratings[category];
            if (!rating) continue;
            last.push_back(*rating);
            sum += *rating;
            if (int(last.size()) > MovingAverageEntries) {
                sum -= last.front();
                last.pop_front();
            }
            result[category].push_back({point->x, double(sum) / double(last.size())});
        }
    }
    return result;
}

QString JournalChart::describe() const {
    const std::vector<const ChartPoint*> ordered = inTimeOrder(points);
    QStringList text{points.size() == 1 ? QStringLiteral("1 entry.") : QStringLiteral("%1 entries.").arg(points.size())};
    for (std::size_t category = 0; category < SnapshotCategories.size(); ++category) {
        std::vector<int> ratings;
        for (const ChartPoint* point : ordered)
            if (const auto& rating = point->ratings[category]) ratings.push_back(*rating);
        text << describeCategory(QLatin1String(SnapshotCategories[category]), ratings);
    }
    for (std::size_t day = 0; day < weekdays.size(); ++day)
        if (weekdays[day].entries > 0) text << describeWeekday(int(day) + 1, weekdays[day]);
    return text.join(QLatin1Char(' '));
}

}   // namespace veltrin::core
