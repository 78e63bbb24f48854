#include "circularplot/circularplotwidget.h"

CircularPlotWidget::CircularPlotWidget(QWidget* parent)
    : QGraphicsView(parent)
{
}

CircularPlotWidget::~CircularPlotWidget() = default;

void CircularPlotWidget::setNodeNames(const QStringList&)
{
}

void CircularPlotWidget::plot(const Eigen::MatrixXf&, int, const QVariant&)
{
}

void CircularPlotWidget::filterDisplayRange(double, double)
{
}

void CircularPlotWidget::toggleLabels(bool)
{
}

void CircularPlotWidget::setNodesSize(int)
{
}

void CircularPlotWidget::toggleUseWeights(bool)
{
}

void CircularPlotWidget::setThicknessMultiplier(double)
{
}

void CircularPlotWidget::setFixedThickness(double)
{
}

void CircularPlotWidget::toggleColorizeEdges(bool)
{
}

void CircularPlotWidget::hoveringLabel(bool)
{
}

void CircularPlotWidget::highlightEdge(QPointF, bool)
{
}
