#include "circularplot/colors.h"

namespace {

// The piecewise-linear ramp of one jet channel, evaluated in single
// precision so that every window colours a value identically.
float jetRamp(double x)
{
    const float v = float(x);
    if (v <= -0.75f)
        return 0.0f;
    if (v <= -0.25f)
        return 2.0f * (v + 0.75f);
    if (v <= 0.25f)
        return 1.0f;
    if (v <= 0.75f)
        return 1.0f - 2.0f * (v - 0.25f);
    return 0.0f;
}

} // namespace

QColor jetColor(double value)
{
    return QColor::fromRgbF(jetRamp(value - 0.5), jetRamp(value), jetRamp(value + 0.5), 1.0);
}

QVector<QColor> conditionColors(const QStringList& names)
{
    QStringList distinct;
    for (const QString& name : names)
        if (!distinct.contains(name))
            distinct.append(name);

    // 360 divided by the golden ratio.
    const double step = 222.4922359499622 / distinct.size();
    QVector<QColor> colors;
    colors.reserve(names.size());
    for (const QString& name : names)
        colors.append(QColor::fromHsv(int(distinct.indexOf(name) * step), 127, 242, 255));
    return colors;
}
