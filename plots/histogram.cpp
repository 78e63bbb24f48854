#include "plots/histogram.h"

#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QGraphicsLayout>

using namespace QtCharts;

Histogram::Histogram(QWidget* parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setAutoFillBackground(true);

    chart = new QChart;
    chart->legend()->hide();
    chart->createDefaultAxes();
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setFont(QFont("Arial", 6));
    chart->createDefaultAxes();

    barSet = new QBarSet(QString());
    for (int index = 0; index < bins; ++index)
        barSet->insert(index, 0.0);

    barSeries = new QBarSeries;

    setChart(chart);
}

// The set and the series belong to no chart, so nobody else deletes them.
Histogram::~Histogram()
{
    delete barSet;
    delete barSeries;
}

void Histogram::barHovered(bool status, int, QBarSet*)
{
    // Where a hovered bar would be reported; no chart shows bars yet.
    if (status) {
        const QBarSeries* series = qobject_cast<QBarSeries*>(sender());
        Q_UNUSED(series)
    }
}
