#pragma once
// The Inner Snapshot over time: one line per category, each the moving average of the last seven
// ratings, drawn by one function onto any painter (the chart window, a PNG, an SVG).
#include "core/JournalStats.h"

#include <QPainter>
#include <QRectF>

#include <vector>

namespace veltrin::core {

constexpr int MovingAverageEntries = 7;
constexpr int ChartWidth = 1200;
constexpr int ChartHeight = 600;

// Where an entry stands on the horizontal axis: its time in milliseconds since the epoch. An entry
// without a date stands between its neighbours in the store, evenly spaced among the undated ones.
struct ChartPoint {
    double x;
    Ratings ratings;
};

struct ChartLinePoint {
    double x;
    double average;
};

struct JournalChart {
    std::vector<ChartPoint> points;   // in store order
    bool dated = false;               // false when no entry has a date: x is then the entry's number
    int passedOver = 0;               // lines of the store that are not records
    int undated = 0;                  // records whose chronology reads as no date
    DamagedRecords damaged;           // sealed records that did not open
    // The dated entries' ratings by weekday, Monday .. Sunday.
    std::array<RatingSums, 7> weekdays;
    // One line per category: the average of its last seven ratings at each rated entry.
    std::array<std::vector<ChartLinePoint>, 7> lines() const;
    // The chart in words: the number of entries, then per category its first and last rating, the
    // average of all and the trend (the last seven against the first seven).
    QString describe() const;
};

// Reads the store (the entries the filter keeps) into a chart; a sealed store with its key. Throws FileError.
JournalChart readJournalChart(const QString& storePath, const JournalFilter& filter = {}, const JournalKey* key = nullptr);
// Places undated entries between their neighbours; `when` holds one time per entry, invalid when unknown.
std::vector<double> chartPositions(const std::vector<QDateTime>& when);

// Draws the chart into `area`: axes, dates below, 1 to 5 at the side, the seven lines and a legend.
void drawJournalChart(QPainter& painter, const QRectF& area, const JournalChart& chart);
// Draws each category's average by weekday into `area`: for Monday .. Sunday a bar per category,
// in the colours of the chart's lines, with the number of entries of that weekday below.
void drawWeekdayAverages(QPainter& painter, const QRectF& area, const JournalChart& chart);

}   // namespace veltrin::core
