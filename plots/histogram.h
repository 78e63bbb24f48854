#pragma once

#include <QtCharts/QChartView>

namespace QtCharts {
class QBarSet;
}

// A small bar chart prepared for a histogram of the matrix values.
class Histogram : public QtCharts::QChartView {
    Q_OBJECT

public:
    explicit Histogram(QWidget* parent = nullptr);
    ~Histogram() override;

signals:
    void barValue(QString value);

public slots:
    void barHovered(bool status, int index, QtCharts::QBarSet* barSet);
};
