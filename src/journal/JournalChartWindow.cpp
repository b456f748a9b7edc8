#include "journal/JournalChartWindow.h"

#include <QScreen>

#include <algorithm>

namespace veltrin::journal {

namespace {

// The moving averages take two thirds of the window, the weekday averages the third beside them.
constexpr int MovingAverageShare = 2;
constexpr int Shares = 3;

}   // namespace

JournalChartWindow::JournalChartWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Journal Chart"));
    // As wide as both charts want, but never wider than the screen the program runs on (800 at least).
    const int wanted = core::ChartWidth * 3 / 5 * Shares / MovingAverageShare;
    resize(std::min(wanted, screen()->availableGeometry().width() * 9 / 10), core::ChartHeight * 3 / 5);
}

void JournalChartWindow::showChart(core::JournalChart chart) {
    m_chart = std::move(chart);
    setAccessibleDescription(m_chart.describe());   // the chart in words, for a screen reader
    update();
    show();
    raise();
}

void JournalChartWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int split = width() * MovingAverageShare / Shares;
    core::drawJournalChart(painter, QRectF(0, 0, split, height()), m_chart);
    core::drawWeekdayAverages(painter, QRectF(split, 0, width() - split, height()), m_chart);
}

}   // namespace veltrin::journal
