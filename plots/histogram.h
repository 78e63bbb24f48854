#pragma once

#include <QtCharts/QChartView>

namespace QtCharts {
class QBarSeries;
class QBarSet;
class QChart;
}

// A small bar chart prepared for a histogram of the matrix values. Nothing
// feeds it yet: the bar set is never put into the series and the series is
// never added to the chart, so it shows an empty chart.
class Histogram : public QtCharts::QChartView {
    Q_OBJECT

public:
    explicit Histogram(QWidget* parent = nullptr);
    ~Histogram() override;

signals:
    void barValue(QString value);

public slots:
    void barHovered(bool status, int index, QtCharts::QBarSet* barSet);

private:
    int m_bins = 10;
    QtCharts::QChart* m_chart;
    QtCharts::QBarSet* m_barSet;
    QtCharts::QBarSeries* m_barSeries;
};
