#include "plots/lineplot.h"

LinePlot::LinePlot(QString title, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    Q_UNUSED(title)
}

LinePlot::~LinePlot() = default;

void LinePlot::setYAxisTitle(const QString&)
{
}

void LinePlot::createChart()
{
}

void LinePlot::addSeries(const std::vector<float>&, QString, int)
{
}

void LinePlot::finishPlot(const QStringList&, bool)
{
}

void LinePlot::disableConditions()
{
}

void LinePlot::highlightLineSeries(bool)
{
}

void LinePlot::toggleLineSeries(int)
{
}

void LinePlot::conditionsShow()
{
}

void LinePlot::conditionsHide()
{
}

void LinePlot::showContextMenu(const QPoint&)
{
}

void LinePlot::saveImage()
{
}

void LinePlot::saveCSV()
{
}
