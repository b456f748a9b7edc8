// The statistics of `journal stats` as text to read or as JSON for other programs.
#include "cli/CliParts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace veltrin::cli {

namespace {

using core::JournalStats;
using core::RatingSums;

QString isoDate(const QDate& day) { return day.toString(Qt::ISODate); }

QString plural(qint64 count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString streakText(int days, const QDate& end) {
    if (days == 0) return QStringLiteral("none");
    return QStringLiteral("%1, %2 to %3").arg(plural(days, "day", "days"), isoDate(end.addDays(1 - days)), isoDate(end));
}

// A table's row: the name, the number of entries, then each category's average under its name.
QString averagesRow(const QString& name, const RatingSums& sums) {
    QString row = QStringLiteral("  %1 %2").arg(name, -12).arg(QString::number(sums.entries), 7);
    for (std::size_t category = 0; category < core::SnapshotCategories.size(); ++category) {
        const auto average = sums.average(category);
        const int width = int(qstrlen(core::SnapshotCategories[category])) + 2;
        row += average ? QStringLiteral("%1").arg(*average, width, 'f', 1) : QStringLiteral("%1").arg(QStringLiteral("-"), width);
    }
    return row + QLatin1Char('\n');
}

QString averagesHeading(const QString& title) {
    QString heading = title + QStringLiteral("\n  ") + QString(13, QLatin1Char(' ')) + QStringLiteral("entries");
    for (const char* category : core::SnapshotCategories) heading += QStringLiteral("  ") + QLatin1String(category);
    return heading + QLatin1Char('\n');
}

// Each recalled entry: its day, how long ago, its chronology and subject, then its text indented.
QString recalledText(const QString& title, const std::vector<core::RecalledEntry>& entries) {
    if (entries.empty()) return {};
    QString text = title + QLatin1Char('\n');
    for (const core::RecalledEntry& entry : entries) {
        const QString ago = entry.yearsAgo > 0 ? QStringLiteral(", %1 ago").arg(plural(entry.yearsAgo, "year", "years")) : QString();
        text += QStringLiteral("  %1%2: %3, %4\n").arg(isoDate(entry.date), ago, entry.chronology, entry.subject);
        for (const QString& line : entry.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) text += QStringLiteral("    ") + line + '\n';
    }
    return text + QLatin1Char('\n');
}

QJsonValue dateValue(const QDate& day) { return day.isValid() ? QJsonValue(isoDate(day)) : QJsonValue(); }

QJsonObject averagesObject(const RatingSums& sums) {
    static const QStringList names = core::exportFieldNames().mid(4, 7);
    QJsonObject averages;
    for (std::size_t category = 0; category < core::SnapshotCategories.size(); ++category) {
        const auto average = sums.average(category);
        averages[names[qsizetype(category)]] = average ? QJsonValue(*average) : QJsonValue();
    }
    return QJsonObject{{QStringLiteral("entries"), sums.entries}, {QStringLiteral("averages"), averages}};
}

QJsonArray recalledArray(const std::vector<core::RecalledEntry>& entries) {
    QJsonArray array;
    for (const core::RecalledEntry& entry : entries)
        array.append(QJsonObject{{QStringLiteral("date"), isoDate(entry.date)},
                                 {QStringLiteral("years_ago"), entry.yearsAgo},
                                 {QStringLiteral("chronology"), entry.chronology},
                                 {QStringLiteral("subject"), entry.subject},
                                 {QStringLiteral("text"), entry.text}});
    return array;
}

QJsonObject streakObject(int days, const QDate& end) {
    return {{QStringLiteral("days"), days},
            {QStringLiteral("from"), dateValue(days > 0 ? end.addDays(1 - days) : QDate())},
            {QStringLiteral("to"), dateValue(days > 0 ? end : QDate())}};
}

}   // namespace

QByteArray statsText(const JournalStats& stats) {
    QString text = QStringLiteral("Entries:            %1").arg(stats.entries);
    if (stats.undated > 0) text += QStringLiteral(" (%1 without a date: counted, on no day)").arg(stats.undated);
    text += QStringLiteral("\nWords:              %1\nDays with an entry: %2\nCurrent streak:     %3\nLongest streak:     %4\n")
                .arg(stats.words)
                .arg(stats.days)
                .arg(streakText(stats.currentStreak, stats.currentStreakEnd), streakText(stats.longestStreak, stats.longestStreakEnd));
    if (!stats.weeks.empty())
        text += QStringLiteral("Entries per week:   %1 (weeks from %2 to %3)\n")
                    .arg(stats.entriesPerWeek(), 0, 'f', 1)
                    .arg(isoDate(stats.weeks.begin()->first), isoDate(stats.weeks.rbegin()->first));
    text += QLatin1Char('\n');
    text += recalledText(QStringLiteral("On this day (%1)").arg(stats.today.toString(QStringLiteral("d MMMM"))), stats.onThisDay);
    text += recalledText(QStringLiteral("A month ago (%1)").arg(isoDate(core::monthBefore(stats.today))), stats.monthAgo);
    text += averagesHeading(QStringLiteral("Average by weekday"));
    for (std::size_t day = 0; day < stats.weekdays.size(); ++day)
        text += averagesRow(QLocale::c().dayName(int(day) + 1), stats.weekdays[day]);
    text += QLatin1Char('\n') + averagesHeading(QStringLiteral("Average by week (from Monday)"));
    for (const auto& [monday, sums] : stats.weeks) text += averagesRow(isoDate(monday), sums);
    return text.toUtf8();
}

QByteArray statsJson(const JournalStats& stats) {
    QJsonArray weekdays;
    for (std::size_t day = 0; day < stats.weekdays.size(); ++day) {
        QJsonObject weekday = averagesObject(stats.weekdays[day]);
        weekday[QStringLiteral("weekday")] = QLocale::c().dayName(int(day) + 1);
        weekdays.append(weekday);
    }
    QJsonArray weeks;
    for (const auto& [monday, sums] : stats.weeks) {
        QJsonObject week = averagesObject(sums);
        week[QStringLiteral("week")] = isoDate(monday);
        weeks.append(week);
    }
    const QJsonObject all{
        {QStringLiteral("today"), isoDate(stats.today)},
        {QStringLiteral("entries"), stats.entries},
        {QStringLiteral("undated"), stats.undated},
        {QStringLiteral("words"), stats.words},
        {QStringLiteral("days"), stats.days},
        {QStringLiteral("current_streak"), streakObject(stats.currentStreak, stats.currentStreakEnd)},
        {QStringLiteral("longest_streak"), streakObject(stats.longestStreak, stats.longestStreakEnd)},
        {QStringLiteral("entries_per_week"), stats.entriesPerWeek()},
        {QStringLiteral("on_this_day"), recalledArray(stats.onThisDay)},
        {QStringLiteral("a_month_ago"), recalledArray(stats.monthAgo)},
        {QStringLiteral("weekdays"), weekdays},
        {QStringLiteral("weeks"), weeks},
    };
    return QJsonDocument(all).toJson(QJsonDocument::Indented);
}

}   // namespace veltrin::cli
