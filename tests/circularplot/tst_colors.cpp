#include "circularplot/colors.h"

#include <QtTest>

class tst_Colors : public QObject {
    Q_OBJECT

private slots:
    void jet();
    void conditionPalette();
};

void tst_Colors::jet()
{
    // Half intensity is 128; past +-1.25 every channel's ramp has run out.
    QCOMPARE(jetColor(-1.0).rgba(), qRgb(0, 0, 128));
    QCOMPARE(jetColor(0.0).rgba(), qRgb(128, 255, 128));
    QCOMPARE(jetColor(1.0).rgba(), qRgb(128, 0, 0));
    QCOMPARE(jetColor(0.1).rgba(), qRgb(178, 255, 76));
    QCOMPARE(jetColor(-1.25).rgba(), qRgb(0, 0, 0));
    QCOMPARE(jetColor(1.25).rgba(), qRgb(0, 0, 0));
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
    QCOMPARE(hues({"a", "b", "c", "d", "e"}), (QList<int>{0, 44, 88, 133, 177})); // 177.99 truncated
}

QTEST_MAIN(tst_Colors)
#include "tst_colors.moc"
