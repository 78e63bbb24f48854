#include "plots/timeserieslineplot.h"

TimeseriesLinePlot::TimeseriesLinePlot(QString title, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    Q_UNUSED(title)
}

TimeseriesLinePlot::~TimeseriesLinePlot() = default;

void TimeseriesLinePlot::setYAxisTitle(const QString&)
{
}

void TimeseriesLinePlot::createChart()
{
}

void TimeseriesLinePlot::setSeries(const std::vector<float>&, QString)
{
}

void TimeseriesLinePlot::setCategories(const QStringList&)
{
}
