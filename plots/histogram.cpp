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

    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->createDefaultAxes();
    m_chart->setBackgroundRoundness(0);
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    m_chart->setFont(QFont("Arial", 6));
    m_chart->createDefaultAxes();

    m_barSet = new QBarSet(QString());
    for (int index = 0; index < m_bins; ++index)
        m_barSet->insert(index, 0.0);

    m_barSeries = new QBarSeries;

    // The view starts with a chart of its own and only lets go of it when
    // given another.
    QChart* placeholder = QChartView::chart();
    setChart(m_chart);
    delete placeholder;
}

// The set and the series belong to no chart, so nobody else deletes them.
Histogram::~Histogram()
{
    delete m_barSet;
    delete m_barSeries;
}

void Histogram::barHovered(bool status, int, QBarSet*)
{
    // Where a hovered bar would be reported; no chart shows bars yet.
    if (status) {
        const QBarSeries* series = qobject_cast<QBarSeries*>(sender());
        Q_UNUSED(series)
    }
}
