#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace QtCharts {
class QChart;
class QChartView;
class QLineSeries;
} // namespace QtCharts

namespace Ui {
class LinePlot;
}

// A node-wise graph measure as line series over the nodes, one series per
// condition or matrix, with a legend panel and PNG and CSV export.
class LinePlot : public QMainWindow {
    Q_OBJECT

public:
    // Asks where to save an export: the name filter and default suffix of
    // the format; an empty name when the user cancels.
    using FileNameProvider =
        std::function<QString(QWidget* parent, const QString& nameFilter, const QString& defaultSuffix)>;

    LinePlot(QString title, QWidget* parent = nullptr);
    ~LinePlot() override;

    void setYAxisTitle(const QString& title);
    void createChart();
    // type 1: a condition or plain series with an interactive legend row;
    // type 2: a trigger, hidden at first, with an inert row; any other type: a
    // visible series whose row does nothing.
    void addSeries(const std::vector<float>& values, QString name, int type);
    // Needs at least one series.
    void finishPlot(const QStringList& categories, bool withConditions);
    void disableConditions();

    void setFileNameProvider(FileNameProvider provider);
    QtCharts::QChart* chart() const { return m_chart; }
    QList<QtCharts::QLineSeries*> series() const { return m_seriesList; }

public slots:
    void highlightLineSeries(bool state);
    void toggleLineSeries(int state);
    void conditionsShow();
    void conditionsHide();
    void showContextMenu(const QPoint& pos);
    void saveImage();
    void saveCSV();

private:
    void setConditionVisible(bool visible);

    Ui::LinePlot* ui;
    QtCharts::QChart* m_chart = nullptr;
    QtCharts::QChartView* m_chartView = nullptr;
    QList<QtCharts::QLineSeries*> m_seriesList;
    QString m_title;
    QString m_yAxisTitle;
    FileNameProvider m_fileNameProvider;
};
