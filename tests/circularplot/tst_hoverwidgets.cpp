#include "circularplot/mygraphicssimpletextitem.h"
#include "circularplot/mylabel.h"
#include "circularplot/myslider.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QtTest>

namespace {

// Through the window, so that Qt works out what the mouse enters and leaves.
void moveTo(QWidget* widget, QPoint pos)
{
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), pos));
}

} // namespace

class tst_HoverWidgets : public QObject {
    Q_OBJECT

private slots:
    void labelHoverAndClick_data();
    void labelHoverAndClick();
    void textItemReportsEnterAndLeaveOnce();
    void sliderLabelPositions();
};

void tst_HoverWidgets::labelHoverAndClick_data()
{
    QTest::addColumn<bool>("interactive");
    QTest::addColumn<bool>("interactiveOnLeave");
    QTest::addColumn<QList<QVariantList>>("hovers");

    QTest::newRow("interactive") << true << true << QList<QVariantList>{{true}, {false}};
    QTest::newRow("not interactive") << false << false << QList<QVariantList>{};
    QTest::newRow("made non-interactive while hovered") << true << false << QList<QVariantList>{{true}};
}

void tst_HoverWidgets::labelHoverAndClick()
{
    QFETCH(bool, interactive);
    QFETCH(bool, interactiveOnLeave);

    QWidget window;
    auto* label = new MyLabel(&window);
    label->setGeometry(100, 80, 80, 20);
    label->setInteractive(interactive);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy hovers(label, &MyLabel::hoverLabel);
    QSignalSpy clicks(label, &MyLabel::clicked);

    // A move that goes nowhere is dropped: tests start at (5, 5), end at (10, 10).
    moveTo(&window, QPoint(5, 5));
    moveTo(label, QPoint(10, 10));
    QCOMPARE(label->cursor().shape(), interactive ? Qt::PointingHandCursor : Qt::ArrowCursor);
    label->setInteractive(interactiveOnLeave);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(10, 10));
    moveTo(&window, QPoint(10, 10));

    QTEST(QList<QVariantList>(hovers), "hovers");
    QCOMPARE(clicks.count(), interactiveOnLeave ? 1 : 0);
    QCOMPARE(label->testAttribute(Qt::WA_SetCursor), interactive && !interactiveOnLeave);
}

void tst_HoverWidgets::textItemReportsEnterAndLeaveOnce()
{
    QGraphicsScene scene(-100, -80, 300, 200);
    auto* item = new MyGraphicsSimpleTextItem;
    item->setPlainText("Precuneus_L");
    scene.addItem(item);
    QGraphicsView view(&scene);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy hovers(item, &MyGraphicsSimpleTextItem::hovering);

    moveTo(view.viewport(), QPoint(5, 5));
    moveTo(view.viewport(), view.mapFromScene(item->sceneBoundingRect().center()));
    QCOMPARE(item->cursor().shape(), Qt::PointingHandCursor);
    moveTo(view.viewport(), QPoint(10, 10));
    QCOMPARE(QList<QVariantList>(hovers), (QList<QVariantList>{{true}, {false}}));
    QVERIFY(!item->hasCursor());
}

void tst_HoverWidgets::sliderLabelPositions()
{
    // Labels are centred on their ticks' numbers, the first 5 pixels right, the last 5 left.
    MySlider slider;
    slider.setMinimum(1);
    slider.resize(300, 60);
    const QFontMetrics metrics(slider.font());
    const auto at = [&](int x, int tick) { return x - metrics.horizontalAdvance(QString::number(tick)) / 2; };

    // QSlider's default tick interval of 0 must count as 1, not divide.
    slider.setLabels({"Rest", "Task", "Cue"});
    QCOMPARE(slider.labelPositions(), (QVector<int>{at(5, 1), at(150, 2), at(295, 3)}));
    slider.setLabels({"Rest"});
    QCOMPARE(slider.labelPositions(), QVector<int>{at(5, 1)});
}

QTEST_MAIN(tst_HoverWidgets)
#include "tst_hoverwidgets.moc"
