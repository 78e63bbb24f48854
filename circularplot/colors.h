#pragma once

#include <QColor>
#include <QStringList>
#include <QVector>

// The jet colour map: -1 is dark blue, 0 a light green, 1 dark red. Values are
// used raw, so anything outside -1 ... 1 saturates at the ends of the ramp.
QColor jetColor(double value);

// One colour per condition name. Distinct names, in order of first
// appearance, are spread around the hue circle by the golden angle; equal
// names share a colour. The result has one entry per entry of names.
QVector<QColor> conditionColors(const QStringList& names);
