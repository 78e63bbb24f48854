#include "plots/histogram.h"

#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtTest>

class tst_Histogram : public QObject {
    Q_OBJECT

private slots:
    void freshChartIsEmpty();
};

void tst_Histogram::freshChartIsEmpty()
{
    Histogram histogram;
    histogram.show();
    QVERIFY(QTest::qWaitForWindowExposed(&histogram));
    QtCharts::QChart* chart = histogram.chart();
    QVERIFY(chart);
    // Default axes are made from series, and the chart has none.
    QVERIFY(chart->axes().isEmpty());
    QVERIFY(chart->series().isEmpty());
    QVERIFY(!chart->legend()->isVisible());
    QCOMPARE(chart->margins(), QMargins(2, 2, 2, 2));
    QCOMPARE(chart->backgroundRoundness(), 0.0);
    QVERIFY(histogram.renderHints().testFlag(QPainter::Antialiasing));
}

QTEST_MAIN(tst_Histogram)
#include "tst_histogram.moc"
