#include "circularplot/colors.h"

#include <QtTest>

class tst_Colors : public QObject {
    Q_OBJECT

private slots:
    void jet_data();
    void jet();
    void conditionPalette_data();
    void conditionPalette();
};

void tst_Colors::jet_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("expected");

    // Half intensity is 128: the channels are built from fractions.
    QTest::newRow("-1 is dark blue") << -1.0 << QColor(0, 0, 128);
    QTest::newRow("0 is light green") << 0.0 << QColor(128, 255, 128);
    QTest::newRow("1 is dark red") << 1.0 << QColor(128, 0, 0);
    // Each channel's ramp turns at -0.75, -0.25, 0.25 and 0.75; blue's is
    // shifted by -0.5, red's by +0.5.
    QTest::newRow("-1.25: blue ramp starts") << -1.25 << QColor(0, 0, 0);
    QTest::newRow("-0.75: blue full, green starts") << -0.75 << QColor(0, 0, 255);
    QTest::newRow("-0.5: green halfway") << -0.5 << QColor(0, 128, 255);
    QTest::newRow("-0.25: green full, red starts") << -0.25 << QColor(0, 255, 255);
    QTest::newRow("0.25: red full, blue gone") << 0.25 << QColor(255, 255, 0);
    QTest::newRow("0.5: green halfway down") << 0.5 << QColor(255, 128, 0);
    QTest::newRow("0.75: green gone") << 0.75 << QColor(255, 0, 0);
    QTest::newRow("1.25: red gone") << 1.25 << QColor(0, 0, 0);
    QTest::newRow("far above saturates black") << 7.0 << QColor(0, 0, 0);
    QTest::newRow("far below saturates black") << -7.0 << QColor(0, 0, 0);
    QTest::newRow("0.1: red rising, blue falling") << 0.1 << QColor(178, 255, 76);
}

void tst_Colors::jet()
{
    QFETCH(double, value);
    QFETCH(QColor, expected);

    const QColor color = jetColor(value);

    QCOMPARE(color.rgba(), expected.rgba());
}

void tst_Colors::conditionPalette_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("hues");

    QTest::newRow("none") << QStringList{} << QList<int>{};
    QTest::newRow("one name") << QStringList{"Rest"} << QList<int>{0};
    QTest::newRow("three names") << QStringList{"Rest", "Task", "Cue"} << QList<int>{0, 74, 148};
    QTest::newRow("repeated name shares its hue") << QStringList{"A", "B", "A"} << QList<int>{0, 111, 0};
    QTest::newRow("order of first appearance") << QStringList{"B", "A", "B", "C"} << QList<int>{0, 74, 0, 148};
    // 4 x 44.498... = 177.99: truncated, not rounded.
    QTest::newRow("five names truncate") << QStringList{"a", "b", "c", "d", "e"} << QList<int>{0, 44, 88, 133, 177};
    QTest::newRow("names differ by case") << QStringList{"rest", "Rest"} << QList<int>{0, 111};
}

void tst_Colors::conditionPalette()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, hues);

    const QVector<QColor> colors = conditionColors(names);

    QCOMPARE(colors.size(), hues.size());
    for (int i = 0; i < colors.size(); ++i) {
        QCOMPARE(colors[i].hsvHue(), hues[i]);
        QCOMPARE(colors[i].hsvSaturation(), 127);
        QCOMPARE(colors[i].value(), 242);
        QCOMPARE(colors[i].alpha(), 255);
    }
}

QTEST_MAIN(tst_Colors)
#include "tst_colors.moc"
