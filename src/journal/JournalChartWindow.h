#pragma once
#include "core/JournalChart.h"

#include <QWidget>

namespace veltrin::journal {

// The chart in a small window of its own; it reads the store when it opens.
class JournalChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit JournalChartWindow(QWidget* parent);
    void showChart(core::JournalChart chart);
    const core::JournalChart& chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::JournalChart m_chart;
};

}   // namespace veltrin::journal
