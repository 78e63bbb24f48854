#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <vector>

// A node-wise graph measure as line series over the nodes, one series per
// condition or matrix, with a legend panel and PNG and CSV export.
class LinePlot : public QMainWindow {
    Q_OBJECT

public:
    LinePlot(QString title, QWidget* parent = nullptr);
    ~LinePlot() override;

    void setYAxisTitle(const QString& title);
    void createChart();
    void addSeries(const std::vector<float>& values, QString name, int type);
    void finishPlot(const QStringList& categories, bool withConditions);
    void disableConditions();

public slots:
    void highlightLineSeries(bool state);
    void toggleLineSeries(int state);
    void conditionsShow();
    void conditionsHide();
    void showContextMenu(const QPoint& pos);
    void saveImage();
    void saveCSV();
};
