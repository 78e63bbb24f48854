#include "plots/timeserieslineplot.h"

#include "plots/chartsetup.h"
#include "ui_timeserieslineplot.h"

#include <QChart>
#include <QChartView>

using namespace QtCharts;

TimeseriesLinePlot::TimeseriesLinePlot(QString title, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , ui(new Ui::TimeseriesLinePlot)
    , m_title(std::move(title))
{
    ui->setupUi(this);
}

TimeseriesLinePlot::~TimeseriesLinePlot()
{
    delete ui;
}

void TimeseriesLinePlot::setYAxisTitle(const QString& title)
{
    m_yAxisTitle = title;
}

void TimeseriesLinePlot::createChart()
{
    m_chartView = chartsetup::createChartView(m_title, ui->horizontalLayout, ui->centralwidget);
    m_chart = m_chartView->chart();
}

void TimeseriesLinePlot::setSeries(const std::vector<float>& values, QString name)
{
    m_series = chartsetup::addLineSeries(m_chart, values, name);
}

void TimeseriesLinePlot::setCategories(const QStringList& categories)
{
    m_chart->createDefaultAxes();
    m_chart->legend()->hide();
    chartsetup::setCategoryXAxis(m_chart, categories, tr("Conditions"));
    chartsetup::setYAxisTitle(m_chart, m_yAxisTitle);
    m_chartView->update();
}
