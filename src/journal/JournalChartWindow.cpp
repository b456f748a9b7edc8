#include "journal/JournalChartWindow.h"

namespace veltrin::journal {

JournalChartWindow::JournalChartWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Journal Chart"));
    resize(core::ChartWidth * 3 / 5, core::ChartHeight * 3 / 5);
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
    core::drawJournalChart(painter, rect(), m_chart);
}

}   // namespace veltrin::journal
