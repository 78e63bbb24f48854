#include "plots/histogram.h"

Histogram::Histogram(QWidget* parent)
    : QtCharts::QChartView(parent)
{
}

Histogram::~Histogram() = default;

void Histogram::barHovered(bool, int, QtCharts::QBarSet*)
{
}
