#include "plots/timeserieslineplot.h"
#include "popupprobe.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QtTest>

using namespace QtCharts;

class tst_TimeseriesLinePlot : public QObject {
    Q_OBJECT

private slots:
    void conditionsBecomeCategories_data();
    void conditionsBecomeCategories();
    void rightClickOpensNoMenu();
};

void tst_TimeseriesLinePlot::conditionsBecomeCategories_data()
{
    QTest::addColumn<QStringList>("conditions");
    QTest::newRow("A, B, C") << QStringList{"A", "B", "C"};
    QTest::newRow("repeated conditions keep their own points") << QStringList{"Rest", "Task", "Rest"};
}

void tst_TimeseriesLinePlot::conditionsBecomeCategories()
{
    QFETCH(QStringList, conditions);
    TimeseriesLinePlot plot("Global Efficiency");
    plot.setYAxisTitle("Global Efficiency");
    plot.createChart();
    plot.setSeries({0.2f, 0.4f, 0.3f}, QString());
    plot.setCategories(conditions);
    plot.show();

    QLineSeries* series = plot.series();
    QCOMPARE(series->count(), 3);
    QCOMPARE(series->at(1), QPointF(1.0, double(0.4f)));
    QVERIFY(series->pointsVisible());

    const QList<QAbstractAxis*> horizontal = plot.chart()->axes(Qt::Horizontal);
    QCOMPARE(horizontal.size(), 1);
    auto* axis = qobject_cast<QBarCategoryAxis*>(horizontal.first());
    QVERIFY(axis);
    QCOMPARE(axis->count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(QString(axis->at(i)).remove(QChar(0x200B)), conditions[i]);
    QCOMPARE(axis->titleText(), QString("Conditions"));
    QCOMPARE(axis->labelsAngle(), 90);
    QVERIFY(series->attachedAxes().contains(axis));
    QCOMPARE(plot.chart()->axes(Qt::Vertical).first()->titleText(), QString("Global Efficiency"));
    QCOMPARE(plot.chart()->title(), QString("<b>Global Efficiency</b>"));
}

void tst_TimeseriesLinePlot::rightClickOpensNoMenu()
{
    TimeseriesLinePlot plot("Global Efficiency");
    plot.createChart();
    plot.setSeries({0.2f, 0.4f}, QString());
    plot.setCategories({"A", "B"});
    plot.show();

    PopupProbe probe;
    QWidget* viewport = plot.findChild<QChartView*>()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), viewport->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(viewport, &event);
    QTest::qWait(20);
    QVERIFY(!probe.sawMenu());
}

QTEST_MAIN(tst_TimeseriesLinePlot)
#include "tst_timeserieslineplot.moc"
