#include "circularplot/mygraphicssimpletextitem.h"
#include "circularplot/mylabel.h"
#include "circularplot/myslider.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QtTest>

namespace {

// Moves the mouse through the window, as the platform reports it, so that
// Qt itself works out which widget it enters and leaves. Each test starts
// at (5, 5) of its window and ends at (10, 10): a move to where the mouse
// already is would be dropped as no move at all.
void moveTo(QWidget* widget, QPoint pos)
{
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), pos));
}

// A shown window with a label "Rest" at (100, 80) and the mouse at (5, 5).
MyLabel* labelInShownWindow(QWidget& window)
{
    window.resize(300, 200);
    auto* label = new MyLabel(&window);
    label->setText("Rest");
    label->setGeometry(100, 80, 80, 20);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("window not exposed");
    moveTo(&window, QPoint(5, 5));
    return label;
}

QList<bool> hoverStates(const QSignalSpy& spy)
{
    QList<bool> states;
    for (const QList<QVariant>& arguments : spy)
        states << arguments.at(0).toBool();
    return states;
}

} // namespace

class tst_HoverWidgets : public QObject {
    Q_OBJECT

private slots:
    void labelHoverAndClick_data();
    void labelHoverAndClick();
    void labelMadeNonInteractiveWhileHoveredStaysQuiet();
    void textItemReportsEnterAndLeaveOnce();
    void sliderLabelPositions_data();
    void sliderLabelPositions();
    void sliderPainting();
};

void tst_HoverWidgets::labelHoverAndClick_data()
{
    QTest::addColumn<bool>("interactive");
    QTest::addColumn<QList<bool>>("hoverStates");
    QTest::addColumn<int>("clicks");

    QTest::newRow("interactive") << true << QList<bool>{true, false} << 1;
    QTest::newRow("not interactive") << false << QList<bool>{} << 0;
}

void tst_HoverWidgets::labelHoverAndClick()
{
    QFETCH(bool, interactive);

    QWidget window;
    MyLabel* label = labelInShownWindow(window);
    label->setInteractive(interactive);
    QSignalSpy hovers(label, &MyLabel::hoverLabel);
    QSignalSpy clicks(label, &MyLabel::clicked);

    moveTo(label, QPoint(10, 10));
    moveTo(label, QPoint(20, 12));
    QVERIFY(label->underMouse());
    QCOMPARE(label->testAttribute(Qt::WA_SetCursor), interactive);
    if (interactive)
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 12));
    moveTo(&window, QPoint(10, 10));

    QTEST(hoverStates(hovers), "hoverStates");
    QTEST(int(clicks.count()), "clicks");
    QVERIFY(!label->testAttribute(Qt::WA_SetCursor));
}

void tst_HoverWidgets::labelMadeNonInteractiveWhileHoveredStaysQuiet()
{
    QWidget window;
    MyLabel* label = labelInShownWindow(window);
    QSignalSpy hovers(label, &MyLabel::hoverLabel);

    moveTo(label, QPoint(10, 10));
    QCOMPARE(hoverStates(hovers), QList<bool>{true});
    label->setInteractive(false);
    moveTo(&window, QPoint(10, 10));
    QVERIFY(!label->underMouse());
    QCOMPARE(hoverStates(hovers), QList<bool>{true});
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
}

void tst_HoverWidgets::textItemReportsEnterAndLeaveOnce()
{
    QGraphicsScene scene(0, 0, 300, 200);
    auto* item = new MyGraphicsSimpleTextItem;
    item->setPlainText("Precuneus_L");
    item->setPos(100, 80);
    scene.addItem(item);
    QGraphicsView view(&scene);
    view.setFixedSize(340, 240);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy hovers(item, &MyGraphicsSimpleTextItem::hovering);

    const QPoint inside = view.mapFromScene(item->sceneBoundingRect().center());
    moveTo(view.viewport(), view.viewport()->mapFrom(&view, QPoint(5, 5)));
    moveTo(view.viewport(), view.viewport()->mapFrom(&view, inside));
    moveTo(view.viewport(), view.viewport()->mapFrom(&view, inside + QPoint(3, 1)));
    QCOMPARE(hoverStates(hovers), QList<bool>{true});
    QVERIFY(item->hasCursor());
    QCOMPARE(item->cursor().shape(), Qt::PointingHandCursor);

    moveTo(view.viewport(), view.viewport()->mapFrom(&view, QPoint(10, 10)));
    QCOMPARE(hoverStates(hovers), (QList<bool>{true, false}));
    QVERIFY(!item->hasCursor());
}

void tst_HoverWidgets::sliderLabelPositions_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("tickInterval");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("maximum"); // -1: as setLabels leaves it
    QTest::addColumn<QList<int>>("ticks");
    QTest::addColumn<QList<int>>("lefts"); // x before centring on the tick's number

    // The slider is 300 pixels wide; the first label moves 5 pixels right,
    // the last 5 pixels left.
    const QStringList three{"Rest", "Task", "Cue"};
    QTest::newRow("one label stands at the left end") << 1 << 1 << QStringList{"Rest"} << -1 << QList<int>{1}
                                                      << QList<int>{5};
    QTest::newRow("tick interval 0 counts as 1")
        << 1 << 0 << three << -1 << QList<int>{1, 2, 3} << QList<int>{5, 150, 295};
    QTest::newRow("labels past the last tick are not drawn")
        << 1 << 2 << three << -1 << QList<int>{1, 3} << QList<int>{5, 295};
    QTest::newRow("ticks past the last label get none")
        << 1 << 1 << three << 5 << QList<int>{1, 2, 3} << QList<int>{5, 75, 150};
    QTest::newRow("no labels") << 1 << 1 << QStringList{} << -1 << QList<int>{} << QList<int>{};
}

void tst_HoverWidgets::sliderLabelPositions()
{
    QFETCH(int, minimum);
    QFETCH(int, tickInterval);
    QFETCH(QStringList, labels);
    QFETCH(int, maximum);
    QFETCH(QList<int>, ticks);
    QFETCH(QList<int>, lefts);

    MySlider slider;
    slider.setMinimum(minimum);
    slider.setTickInterval(tickInterval);
    slider.setLabels(labels);
    QCOMPARE(slider.maximum(), labels.size());
    if (maximum >= 0)
        slider.setMaximum(maximum);
    slider.resize(300, 60);

    const QFontMetrics metrics(slider.font());
    QVector<int> expected;
    for (int k = 0; k < ticks.size(); ++k)
        expected << lefts[k] - metrics.horizontalAdvance(QString::number(ticks[k])) / 2;
    QCOMPARE(slider.labelPositions(), expected);
}

void tst_HoverWidgets::sliderPainting()
{
    QSlider plain(Qt::Horizontal);
    plain.setRange(1, 3);
    plain.resize(300, 60);
    MySlider unlabelled;
    unlabelled.setRange(1, 3);
    unlabelled.resize(300, 60);
    QCOMPARE(unlabelled.grab().toImage(), plain.grab().toImage());

    MySlider labelled;
    labelled.setMinimum(1);
    labelled.setLabels({"Rest", "Task", "Cue"});
    labelled.resize(300, 60);
    QCOMPARE(labelled.tickInterval(), 0);
    QVERIFY(labelled.grab().toImage() != plain.grab().toImage());

    labelled.setOrientation(Qt::Vertical);
    labelled.resize(60, 300);
    QVERIFY(labelled.labelPositions().isEmpty());
    QVERIFY(!labelled.grab().isNull());
}

QTEST_MAIN(tst_HoverWidgets)
#include "tst_hoverwidgets.moc"
