#include "circularplot/colors.h"

#include <QtTest>

class tst_Colors : public QObject {
    Q_OBJECT

private slots:
    void jet_data();
    void jet();
    void conditionPalette();
};

void tst_Colors::jet_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("expected");

    // Half intensity is 128; past +-1.25 every channel's ramp has run out.
    QTest::newRow("-1 is dark blue") << -1.0 << QColor(0, 0, 128);
    QTest::newRow("0 is light green") << 0.0 << QColor(128, 255, 128);
    QTest::newRow("1 is dark red") << 1.0 << QColor(128, 0, 0);
    QTest::newRow("0.1: red rising, blue falling") << 0.1 << QColor(178, 255, 76);
    QTest::newRow("-1.25") << -1.25 << QColor(0, 0, 0);
    QTest::newRow("1.25") << 1.25 << QColor(0, 0, 0);
}

void tst_Colors::jet()
{
    QFETCH(double, value);
    QFETCH(QColor, expected);
    QCOMPARE(jetColor(value).rgba(), expected.rgba());
}

void tst_Colors::conditionPalette()
{
    const auto hues = [](const QStringList& names) {
        QList<int> hues;
        for (const QColor& color : conditionColors(names))
            hues << (color == QColor::fromHsv(color.hsvHue(), 127, 242) ? color.hsvHue() : -1);
        return hues;
    };
    QCOMPARE(hues({"Rest", "Task", "Cue"}), (QList<int>{0, 74, 148}));
    QCOMPARE(hues({"A", "B", "A"}), (QList<int>{0, 111, 0}));
    QCOMPARE(hues({"B", "A", "B", "C"}), (QList<int>{0, 74, 0, 148}));
    // 4 x 44.498... = 177.99: truncated, not rounded.
    QCOMPARE(hues({"a", "b", "c", "d", "e"}), (QList<int>{0, 44, 88, 133, 177}));
}

QTEST_MAIN(tst_Colors)
#include "tst_colors.moc"
