#pragma once

#include <QColor>
#include <QString>

// What the viewer knows about one grid cell: the matrix value, the text of
// the hover read-out and the cell's colour.
struct MatrixCellInfo {
    explicit MatrixCellInfo(double value);

    double value;
    QString text;
    QColor color;
};
