#include "plots/viewmatrix.h"

ViewMatrix::ViewMatrix(QWidget* parent)
    : QDialog(parent)
{
}

ViewMatrix::~ViewMatrix() = default;

void ViewMatrix::setConditions(const std::vector<OrderedCondition>&)
{
}

void ViewMatrix::createConditionsPanel()
{
}

void ViewMatrix::loadMatrices()
{
}

void ViewMatrix::setLabels(const QStringList&)
{
}

void ViewMatrix::fillTable()
{
}

void ViewMatrix::colorCells()
{
}

void ViewMatrix::drawOverview()
{
}

void ViewMatrix::createLegend()
{
}

void ViewMatrix::browseMatrix()
{
}

void ViewMatrix::pickValue(int, int)
{
}

void ViewMatrix::clearPickValue()
{
}
