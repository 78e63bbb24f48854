#include "plots/matrixcellinfo.h"

#include "circularplot/colors.h"

MatrixCellInfo::MatrixCellInfo(double value)
    : value(value)
    , text(QString::number(value, 'g', 6))
    , color(jetColor(value))
{
}
