#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <vector>

namespace QtCharts {
class QChart;
class QChartView;
class QLineSeries;
} // namespace QtCharts

namespace Ui {
class TimeseriesLinePlot;
}

// One scalar measure as a single line over the subject's conditions. The
// legend panel is laid out like the line plot's and stays empty.
class TimeseriesLinePlot : public QMainWindow {
    Q_OBJECT

public:
    TimeseriesLinePlot(QString title, QWidget* parent = nullptr);
    ~TimeseriesLinePlot() override;

    void setYAxisTitle(const QString& title);
    void createChart();
    // setSeries, then setCategories, each once.
    void setSeries(const std::vector<float>& values, QString name);
    void setCategories(const QStringList& categories);

    QtCharts::QChart* chart() const { return m_chart; }
    QtCharts::QLineSeries* series() const { return m_series; }

private:
    Ui::TimeseriesLinePlot* ui;
    QtCharts::QChart* m_chart = nullptr;
    QtCharts::QChartView* m_chartView = nullptr;
    QtCharts::QLineSeries* m_series = nullptr;
    QString m_title;
    QString m_yAxisTitle;
};
