#include "circularplot/circularplot.h"

#include "circularplot/circularplotwidget.h"

#include <QCloseEvent>

CircularPlot::CircularPlot(QWidget* parent)
    : QMainWindow(parent)
    , m_plotWidget(new CircularPlotWidget(this))
{
    setCentralWidget(m_plotWidget);
    initConditionsSlider();
}

CircularPlot::~CircularPlot() = default;

void CircularPlot::initConditionsSlider()
{
}

void CircularPlot::initNodeNames()
{
}

void CircularPlot::initPlot()
{
}

void CircularPlot::valueChanged()
{
}

void CircularPlot::displayRangeChanged(int, int)
{
}

void CircularPlot::showContextMenu(const QPoint&)
{
}

void CircularPlot::saveImage()
{
}

void CircularPlot::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    emit closingWindow();
}
