#include "plots/timeserieslineplot.h"

#include <QtCharts>
#include <QtTest>

using namespace QtCharts;

class tst_TimeseriesLinePlot : public QObject {
    Q_OBJECT

private slots:
    void repeatedConditionsKeepTheirOwnPoints()
    {
        TimeseriesLinePlot plot("Global Efficiency");
        plot.createChart();
        plot.setSeries({0.2f, 0.4f, 0.3f}, QString());
        plot.setCategories({"Rest", "Task", "Rest"});
        plot.show();

        const QList<QAbstractAxis*> horizontal = plot.chart()->axes(Qt::Horizontal);
        QCOMPARE(horizontal.size(), 1);
        auto* axis = qobject_cast<QBarCategoryAxis*>(horizontal.first());
        QVERIFY(axis && plot.series()->attachedAxes().contains(axis));
        QCOMPARE(QString(axis->at(2)).remove(QChar(0x200B)), QString("Rest"));
        QCOMPARE(axis->titleText(), QString("Conditions"));
    }
};

QTEST_MAIN(tst_TimeseriesLinePlot)
#include "tst_timeserieslineplot.moc"
