#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QBoxLayout;
class QWidget;

namespace QtCharts {
class QChart;
class QChartView;
class QLineSeries;
} // namespace QtCharts

// Chart set-up shared by the line plot and the time-series plot.
namespace chartsetup {

// A chart with default axes and the measure's name as its bold title, shown
// in an antialiased view with the custom context-menu policy that is
// appended to layout. The view owns the chart.
QtCharts::QChartView* createChartView(const QString& title, QBoxLayout* layout, QWidget* parent);

// A series with the points (i, values[i]) shown as dots, added to chart.
QtCharts::QLineSeries* addLineSeries(QtCharts::QChart* chart, const std::vector<float>& values, const QString& name);

// A bar category axis silently drops a category it already has, which
// would leave values without a place on the axis. Repeated labels are made
// unique by appending zero-width spaces: they draw the same, and every value
// keeps its own category.
QStringList distinctCategories(const QStringList& categories);

// Replaces the chart's horizontal axes by a category axis with the given
// title, labels turned upright, attached to every series.
void setCategoryXAxis(QtCharts::QChart* chart, const QStringList& categories, const QString& title);

// Gives the chart's vertical axis the title, if the chart has one.
void setYAxisTitle(QtCharts::QChart* chart, const QString& title);

} // namespace chartsetup
