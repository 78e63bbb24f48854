#include "plots/chartsetup.h"

#include <QBarCategoryAxis>
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QLineSeries>

using namespace QtCharts;

namespace chartsetup {

QChartView* createChartView(const QString& title, QBoxLayout* layout, QWidget* parent)
{
    auto* chart = new QChart;
    chart->createDefaultAxes();
    chart->setTitle(QStringLiteral("<b>%1</b>").arg(title));
    QFont font = chart->titleFont();
    font.setPixelSize(18);
    font.setWeight(75);
    chart->setTitleFont(font);

    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(view);
    return view;
}

QLineSeries* addLineSeries(QChart* chart, const std::vector<float>& values, const QString& name)
{
    auto* series = new QLineSeries;
    QVector<QPointF> points;
    points.reserve(int(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        points.append(QPointF(double(i), double(values[i])));
    series->replace(points);
    series->setName(name);
    series->setPointsVisible(true);
    chart->addSeries(series);
    return series;
}

QStringList distinctCategories(const QStringList& categories)
{
    QStringList distinct;
    distinct.reserve(categories.size());
    for (const QString& category : categories) {
        QString label = category;
        while (distinct.contains(label))
            label += QChar(0x200B);
        distinct.append(label);
    }
    return distinct;
}

void setCategoryXAxis(QChart* chart, const QStringList& categories, const QString& title)
{
    // The chart would draw a second bottom axis beside the default one.
    const QList<QAbstractAxis*> horizontal = chart->axes(Qt::Horizontal);
    for (QAbstractAxis* axis : horizontal) {
        chart->removeAxis(axis);
        delete axis;
    }

    const QStringList labels = distinctCategories(categories);
    auto* axis = new QBarCategoryAxis;
    axis->append(labels);
    axis->setTitleText(title);
    axis->setLabelsAngle(90);
    if (!labels.isEmpty())
        axis->setRange(labels.first(), labels.last());
    chart->addAxis(axis, Qt::AlignBottom);
    const QList<QAbstractSeries*> series = chart->series();
    for (QAbstractSeries* one : series)
        one->attachAxis(axis);
}

void setYAxisTitle(QChart* chart, const QString& title)
{
    const QList<QAbstractAxis*> vertical = chart->axes(Qt::Vertical);
    if (!vertical.isEmpty())
        vertical.first()->setTitleText(title);
}

} // namespace chartsetup
