#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <vector>

// One scalar measure as a single line over the subject's conditions.
class TimeseriesLinePlot : public QMainWindow {
    Q_OBJECT

public:
    TimeseriesLinePlot(QString title, QWidget* parent = nullptr);
    ~TimeseriesLinePlot() override;

    void setYAxisTitle(const QString& title);
    void createChart();
    void setSeries(const std::vector<float>& values, QString name);
    void setCategories(const QStringList& categories);
};
