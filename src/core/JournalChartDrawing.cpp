// The chart's drawing: one function for the window, the PNG and the SVG, scaled to the area.
#include "core/JournalChart.h"

#include <QPolygonF>

#include <cmath>

namespace veltrin::core {

namespace {

// Power .. Being Awake; far enough apart to tell seven lines from each other.
constexpr std::array<QRgb, 7> LineColours{0xd62728, 0x2ca02c, 0x1f77b4, 0x9467bd, 0xff7f0e, 0x8c564b, 0x17becf};
constexpr double DayMilliseconds = 24.0 * 60 * 60 * 1000;
// Beyond this many entries the single ratings are a blur of dots, and only the lines are drawn.
constexpr std::size_t MostDottedEntries = 1000;

// The plot and the horizontal range it shows.
struct Frame {
    QRectF plot;
    double xFirst;
    double xLast;
    double unit;          // the area's height over 600: margins, pens and type grow with the area
    double xEntryFirst;   // the range the entries take, within the one shown
    double xEntryLast;
    QPointF at(double x, double rating) const {
        const double across = xLast > xFirst ? (x - xFirst) / (xLast - xFirst) : 0.5;
        return {plot.left() + across * plot.width(), plot.bottom() - (rating - 1.0) / 4.0 * plot.height()};
    }
};

Frame frameFor(const QRectF& area, const JournalChart& chart) {
    const double unit = std::max(0.4, std::min(area.height() / ChartHeight, area.width() / ChartWidth));
    Frame frame{area.adjusted(64 * unit, 48 * unit, -200 * unit, -64 * unit), 0, 1, unit, 0, 1};
    if (chart.points.empty()) return frame;
    const auto [first, last] =
        std::minmax_element(chart.points.begin(), chart.points.end(), [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; });
    const double pad = first->x == last->x ? (chart.dated ? DayMilliseconds : 1.0) : 0.0;
    frame.xEntryFirst = first->x;
    frame.xEntryLast = last->x;
    frame.xFirst = first->x - pad;
    frame.xLast = last->x + pad;
    return frame;
}

void setType(QPainter& painter, const Frame& frame, double pixels, bool bold = false) {
    QFont font = painter.font();
    font.setPixelSize(std::max(6, int(std::lround(pixels * frame.unit))));
    font.setBold(bold);
    painter.setFont(font);
}

QString xLabel(const JournalChart& chart, double x, double span) {
    if (!chart.dated) return QString::number(std::lround(x));
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(x)), Qt::UTC);   // the written time, no zone
    return when.toString(span < 3 * DayMilliseconds ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd"));
}

// Dates are ticked evenly; entry numbers only where an entry stands, so no number is shown twice,
// none names an entry the journal does not have, and an empty journal has none.
std::vector<double> xTicks(const Frame& frame, const JournalChart& chart) {
    const int most = std::max(2, int(frame.plot.width() / (150 * frame.unit)));
    const double span = frame.xLast - frame.xFirst;
    std::vector<double> ticks;
    if (chart.points.empty()) return ticks;
    if (chart.dated) {
        for (int tick = 0; tick <= most; ++tick) ticks.push_back(frame.xFirst + span * tick / most);
        return ticks;
    }
    const double step = std::max(1.0, std::ceil(span / most));
    for (double x = frame.xEntryFirst; x <= frame.xEntryLast; x += step) ticks.push_back(x);
    return ticks;
}

void drawAxes(QPainter& painter, const Frame& frame, const JournalChart& chart) {
    setType(painter, frame, 13);
    const double unit = frame.unit;
    for (int rating = 1; rating <= 5; ++rating) {
        const QPointF left = frame.at(frame.xFirst, rating);
        painter.setPen(QPen(QColor(0xdddddd), unit));
        painter.drawLine(left, QPointF(frame.plot.right(), left.y()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(frame.plot.left() - 40 * unit, left.y() - 10 * unit, 30 * unit, 20 * unit),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(rating));
    }
    for (const double x : xTicks(frame, chart)) {
        const QPointF bottom = frame.at(x, 1);
        painter.drawLine(bottom, bottom + QPointF(0, 5 * unit));
        painter.drawText(QRectF(bottom.x() - 75 * unit, bottom.y() + 8 * unit, 150 * unit, 20 * unit), Qt::AlignCenter,
                         xLabel(chart, x, frame.xLast - frame.xFirst));
    }
    painter.setPen(QPen(Qt::black, 1.5 * unit));
    painter.drawLine(frame.plot.bottomLeft(), frame.plot.bottomRight());
    painter.drawLine(frame.plot.bottomLeft(), frame.plot.topLeft());
    const QString caption = chart.dated ? QStringLiteral("Date") : QStringLiteral("Entry");
    painter.drawText(QRectF(frame.plot.left(), frame.plot.bottom() + 32 * unit, frame.plot.width(), 24 * unit), Qt::AlignCenter, caption);
}

void drawDots(QPainter& painter, const Frame& frame, const JournalChart& chart, std::size_t category) {
    QColor faint(LineColours[category]);
    faint.setAlpha(70);
    painter.setPen(Qt::NoPen);
    painter.setBrush(faint);
    for (const ChartPoint& point : chart.points)
        if (const auto& rating = point.ratings[category])
            painter.drawEllipse(frame.at(point.x, *rating), 2.5 * frame.unit, 2.5 * frame.unit);
}

// A line of thousands of entries keeps one point per pixel column: the pen could show no more.
QPolygonF linePoints(const Frame& frame, const std::vector<ChartLinePoint>& line) {
    QPolygonF points;
    double lastColumn = -1;
    for (const ChartLinePoint& point : line) {
        const QPointF at = frame.at(point.x, point.average);
        if (std::floor(at.x()) != lastColumn || &point == &line.back()) points << at;
        lastColumn = std::floor(at.x());
    }
    return points;
}

void drawLines(QPainter& painter, const Frame& frame, const JournalChart& chart) {
    const auto lines = chart.lines();
    for (std::size_t category = 0; category < lines.size(); ++category) {
        const QColor colour(LineColours[category]);
        if (chart.points.size() <= MostDottedEntries) drawDots(painter, frame, chart, category);
        const QPolygonF points = linePoints(frame, lines[category]);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colour, 2.5 * frame.unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // Segment by segment: one outline of a jagged line of thousands of crossings fills slowly.
        for (qsizetype i = 1; i < points.size(); ++i) painter.drawLine(points[i - 1], points[i]);
    }
}

void drawLegend(QPainter& painter, const Frame& frame) {
    setType(painter, frame, 14);
    const double unit = frame.unit;
    const double left = frame.plot.right() + 24 * unit;
    for (std::size_t category = 0; category < SnapshotCategories.size(); ++category) {
        const double y = frame.plot.top() + 10 * unit + double(category) * 28 * unit;
        painter.setPen(QPen(QColor(LineColours[category]), 4 * unit));
        painter.drawLine(QPointF(left, y), QPointF(left + 28 * unit, y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left + 36 * unit, y - 12 * unit, 150 * unit, 24 * unit), Qt::AlignLeft | Qt::AlignVCenter,
                         QLatin1String(SnapshotCategories[category]));
    }
}

void drawTitle(QPainter& painter, const Frame& frame, const JournalChart& chart) {
    setType(painter, frame, 18, true);
    painter.setPen(Qt::black);
    const QString title = QStringLiteral("Inner Snapshot over time (moving average of %1 entries)").arg(MovingAverageEntries);
    painter.drawText(QRectF(frame.plot.left(), 8 * frame.unit, frame.plot.width() + 190 * frame.unit, 30 * frame.unit),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    if (chart.points.empty()) {
        setType(painter, frame, 16);
        painter.drawText(frame.plot, Qt::AlignCenter, QStringLiteral("The journal has no entries to show."));
    }
}

// The weekday panel's bars: a group of seven per weekday, each as high as its average on 0 .. 5.
void drawWeekdayBars(QPainter& painter, const Frame& frame, const JournalChart& chart) {
    static const std::array<const char*, 7> days{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const double group = frame.plot.width() / double(days.size());
    const double bar = group * 0.8 / double(SnapshotCategories.size());
    for (std::size_t day = 0; day < days.size(); ++day) {
        const RatingSums& sums = chart.weekdays[day];
        const double left = frame.plot.left() + group * double(day) + group * 0.1;
        painter.setPen(Qt::NoPen);
        for (std::size_t category = 0; category < SnapshotCategories.size(); ++category) {
            const auto average = sums.average(category);
            if (!average) continue;
            const double height = *average / 5.0 * frame.plot.height();
            painter.fillRect(QRectF(left + bar * double(category), frame.plot.bottom() - height, bar, height),
                             QColor(LineColours[category]));
        }
        painter.setPen(Qt::black);
        const QRectF below(left - group * 0.1, frame.plot.bottom() + 4 * frame.unit, group, 20 * frame.unit);
        painter.drawText(below, Qt::AlignCenter, QLatin1String(days[day]));
        painter.drawText(below.translated(0, 18 * frame.unit), Qt::AlignCenter, QStringLiteral("(%1)").arg(sums.entries));
    }
}

}   // namespace

void drawJournalChart(QPainter& painter, const QRectF& area, const JournalChart& chart) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const Frame frame = frameFor(area, chart);
    drawTitle(painter, frame, chart);
    drawAxes(painter, frame, chart);
    drawLines(painter, frame, chart);
    drawLegend(painter, frame);
    painter.restore();
}

void drawWeekdayAverages(QPainter& painter, const QRectF& area, const JournalChart& chart) {
    painter.save();
    painter.fillRect(area, Qt::white);
    const double unit = std::max(0.4, std::min(area.height() / ChartHeight, area.width() / (ChartWidth / 2.0)));
    const Frame frame{area.adjusted(40 * unit, 48 * unit, -16 * unit, -64 * unit), 0, 1, unit, 0, 1};
    setType(painter, frame, 18, true);
    painter.drawText(QRectF(area.left(), area.top() + 8 * unit, area.width(), 30 * unit), Qt::AlignCenter,
                     QStringLiteral("Average by weekday"));
    setType(painter, frame, 13);
    for (int rating = 1; rating <= 5; ++rating) {
        const double y = frame.plot.bottom() - rating / 5.0 * frame.plot.height();
        painter.setPen(QPen(QColor(0xdddddd), unit));
        painter.drawLine(QPointF(frame.plot.left(), y), QPointF(frame.plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(frame.plot.left() - 30 * unit, y - 10 * unit, 24 * unit, 20 * unit), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(rating));
    }
    drawWeekdayBars(painter, frame, chart);
    painter.setPen(QPen(Qt::black, 1.5 * unit));
    painter.drawLine(frame.plot.bottomLeft(), frame.plot.bottomRight());
    painter.restore();
}

}   // namespace veltrin::core
