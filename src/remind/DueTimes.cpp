#include "remind/Remind.h"

#include <QRegularExpression>

#include <algorithm>

namespace veltrin::remind {

WallClock wallClock(const QDateTime& instant, const QTimeZone& zone) {
    const QDateTime local = instant.toTimeZone(zone);
    return {local.date(), local.time()};
}

std::optional<WallClock> latestOccurrence(const QList<QTime>& times, const WallClock& now) {
    if (times.isEmpty()) return {};
    std::optional<QTime> today;
    for (const QTime time : times)
        if (time <= now.time && (!today || *today < time)) today = time;
    if (today) return WallClock{now.date, *today};
    return WallClock{now.date.addDays(-1), *std::max_element(times.begin(), times.end())};
}

std::optional<WallClock> dueOccurrence(const QList<QTime>& times, const std::optional<WallClock>& handled, const WallClock& now) {
    const std::optional<WallClock> latest = latestOccurrence(times, now);
    if (!latest || (handled && !(*handled < *latest))) return {};
    return latest;
}

std::optional<QTime> parseTime(const QString& text) {
    static const QRegularExpression timeForm(QStringLiteral("^([01]?[0-9]|2[0-3]):([0-5][0-9])$"));
    const QRegularExpressionMatch match = timeForm.match(text);
    if (!match.hasMatch()) return {};
    return QTime(match.captured(1).toInt(), match.captured(2).toInt());
}

QString timeText(QTime time) { return time.toString(QStringLiteral("HH:mm")); }

std::optional<QList<QTime>> parseTimeList(const QString& text) {
    static const QRegularExpression between(QStringLiteral("[,\\s]+"));
    QList<QTime> times;
    for (const QString& word : text.split(between, Qt::SkipEmptyParts)) {
        const std::optional<QTime> time = parseTime(word);
        if (!time) return {};
        if (!times.contains(*time)) times << *time;
    }
    std::sort(times.begin(), times.end());
    return times;
}

QString timeListText(const QList<QTime>& times) {
    QStringList texts;
    for (const QTime time : times) texts << timeText(time);
    return texts.join(QStringLiteral(", "));
}

}   // namespace veltrin::remind
