#include "circularplot/qxtspanslider.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>

namespace {

// The slider under test, able to tell where the style puts a handle so that
// the tests can press and drag it like a user would.
class SpanSlider : public QxtSpanSlider {
public:
    explicit SpanSlider(Qt::Orientation orientation = Qt::Horizontal)
    {
        setOrientation(orientation);
        setRange(0, 10);
        if (orientation == Qt::Horizontal)
            resize(220, 30);
        else
            resize(30, 220);
    }

    QPoint handleCentre(int value) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.sliderPosition = option.sliderValue = value;
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center();
    }

    int maximumDragDistance() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->pixelMetric(QStyle::PM_MaximumDragDistance, &option, this);
    }
};

// A style that lets a dragged handle snap back once the mouse strays further
// than this from the slider.
class DragLimitStyle : public QProxyStyle {
public:
    static constexpr int distance = 40;

    DragLimitStyle()
        : QProxyStyle(QStyleFactory::create("Fusion"))
    {
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_MaximumDragDistance)
            return distance;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Records the slider's value signals in the order they arrive.
class SignalLog : public QObject {
public:
    explicit SignalLog(QxtSpanSlider* slider)
    {
        connect(slider, &QxtSpanSlider::lowerValueChanged, this,
                [this](int v) { entries << QStringLiteral("lower %1").arg(v); });
        connect(slider, &QxtSpanSlider::upperValueChanged, this,
                [this](int v) { entries << QStringLiteral("upper %1").arg(v); });
        connect(slider, &QxtSpanSlider::spanChanged, this,
                [this](int l, int u) { entries << QStringLiteral("span %1 %2").arg(l).arg(u); });
    }

    QStringList entries;
};

// Mouse events go through the window so that the button state and the
// implicit grab are those of a real drag; positions are the slider's own.
void press(QWidget* slider, QPoint pos)
{
    QTest::mousePress(slider->window()->windowHandle(), Qt::LeftButton, {}, slider->mapTo(slider->window(), pos));
}

void moveTo(QWidget* slider, QPoint pos)
{
    QTest::mouseMove(slider->window()->windowHandle(), slider->mapTo(slider->window(), pos));
}

void release(QWidget* slider, QPoint pos)
{
    QTest::mouseRelease(slider->window()->windowHandle(), Qt::LeftButton, {}, slider->mapTo(slider->window(), pos));
}

} // namespace

class tst_QxtSpanSlider : public QObject {
    Q_OBJECT

private slots:
    void setters_data();
    void setters();
    void keyboard_data();
    void keyboard();
    void unknownKeyIsNotAccepted();
    void drag_data();
    void drag();
    void draggingTooFarSnapsBack();
    void withoutTrackingTheValueFollowsOnRelease();
    void pressesThatGrabNoHandle();
    void paintsTheSpanBetweenTheHandles();
};

enum class Setter { Span, Lower, Upper, Range };
Q_DECLARE_METATYPE(Setter)

void tst_QxtSpanSlider::setters_data()
{
    QTest::addColumn<int>("startLower");
    QTest::addColumn<int>("startUpper");
    QTest::addColumn<Setter>("setter");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QStringList>("signalLog");

    // The slider runs 0 ... 10 unless the row changes the range.
    QTest::newRow("reversed span is ordered, signals lower, upper, span")
        << 0 << 0 << Setter::Span << 8 << 3 << 3 << 8
        << QStringList{"lower 3", "upper 8", "span 3 8"};
    QTest::newRow("span outside the range is clamped")
        << 3 << 8 << Setter::Span << -5 << 20 << 0 << 10
        << QStringList{"lower 0", "upper 10", "span 0 10"};
    QTest::newRow("span clamped onto the current one emits nothing")
        << 0 << 10 << Setter::Span << -1 << 11 << 0 << 10 << QStringList{};
    QTest::newRow("setLowerValue keeps the upper value")
        << 3 << 8 << Setter::Lower << 5 << 0 << 5 << 8 << QStringList{"lower 5", "span 5 8"};
    QTest::newRow("setLowerValue above the upper value reorders")
        << 3 << 8 << Setter::Lower << 9 << 0 << 8 << 9
        << QStringList{"lower 8", "upper 9", "span 8 9"};
    QTest::newRow("setUpperValue is clamped")
        << 3 << 8 << Setter::Upper << 99 << 0 << 3 << 10 << QStringList{"upper 10", "span 3 10"};
    QTest::newRow("range below the span moves both to its end")
        << 3 << 8 << Setter::Range << -5 << 1 << 1 << 1
        << QStringList{"lower 1", "upper 1", "span 1 1"};
    QTest::newRow("wider range leaves the span alone")
        << 3 << 8 << Setter::Range << -20 << 20 << 3 << 8 << QStringList{};
}

void tst_QxtSpanSlider::setters()
{
    QFETCH(int, startLower);
    QFETCH(int, startUpper);
    QFETCH(Setter, setter);
    QFETCH(int, first);
    QFETCH(int, second);

    SpanSlider slider;
    slider.setSpan(startLower, startUpper);
    SignalLog log(&slider);
    switch (setter) {
    case Setter::Span:
        slider.setSpan(first, second);
        break;
    case Setter::Lower:
        slider.setLowerValue(first);
        break;
    case Setter::Upper:
        slider.setUpperValue(first);
        break;
    case Setter::Range:
        slider.setRange(first, second);
        break;
    }

    QTEST(log.entries, "signalLog");
    QTEST(slider.lowerValue(), "lower");
    QTEST(slider.upperValue(), "upper");
    QTEST(slider.lowerPosition(), "lower");
    QTEST(slider.upperPosition(), "upper");
}

void tst_QxtSpanSlider::keyboard_data()
{
    QTest::addColumn<QxtSpanSlider::HandleMovementMode>("mode");
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("startLower");
    QTest::addColumn<int>("startUpper");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");

    const auto free = QxtSpanSlider::FreeMovement;
    const auto noCrossing = QxtSpanSlider::NoCrossing;
    const auto noOverlap = QxtSpanSlider::NoOverlapping;
    const auto h = Qt::Horizontal;
    const auto v = Qt::Vertical;
    using K = QList<int>;

    // On a horizontal slider Left/Right move the main (at first the lower)
    // handle, Up/Down the other one; on a vertical slider the other way round.
    // Each movement mode's limit on the upper handle is here, on the lower
    // handle in drag().
    QTest::newRow("right moves the lower handle") << free << h << false << 2 << 6 << K{Qt::Key_Right} << 3 << 6;
    QTest::newRow("left stops at the minimum") << free << h << false << 0 << 6 << K{Qt::Key_Left} << 0 << 6;
    QTest::newRow("down moves the upper handle") << free << h << false << 2 << 6 << K{Qt::Key_Down} << 2 << 5;
    QTest::newRow("up stops at the maximum") << free << h << false << 2 << 10 << K{Qt::Key_Up} << 2 << 10;
    QTest::newRow("home takes the lower handle to the minimum")
        << free << h << false << 2 << 6 << K{Qt::Key_Home} << 0 << 6;
    QTest::newRow("end takes the upper handle to the maximum")
        << free << h << false << 2 << 6 << K{Qt::Key_End} << 2 << 10;
    QTest::newRow("inverted appearance: right moves down")
        << free << h << true << 2 << 6 << K{Qt::Key_Right} << 1 << 6;
    QTest::newRow("vertical: up moves the lower handle") << free << v << false << 2 << 6 << K{Qt::Key_Up} << 3 << 6;
    QTest::newRow("vertical: right moves the upper handle")
        << free << v << false << 2 << 6 << K{Qt::Key_Right} << 2 << 7;

    const K threeDowns{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down};
    QTest::newRow("free: after passing, left moves the passed handle back")
        << free << h << false << 4 << 5 << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 5 << 5;
    QTest::newRow("free: upper passes lower and goes on as the lower")
        << free << h << false << 4 << 5 << threeDowns << 2 << 4;
    QTest::newRow("no crossing: upper stops on lower") << noCrossing << h << false << 4 << 5 << threeDowns << 4 << 4;
    QTest::newRow("no overlapping: upper stays above lower")
        << noOverlap << h << false << 4 << 5 << threeDowns << 4 << 5;
}

void tst_QxtSpanSlider::keyboard()
{
    QFETCH(QxtSpanSlider::HandleMovementMode, mode);
    QFETCH(Qt::Orientation, orientation);
    QFETCH(bool, inverted);
    QFETCH(int, startLower);
    QFETCH(int, startUpper);
    QFETCH(QList<int>, keys);

    SpanSlider slider(orientation);
    slider.setInvertedAppearance(inverted);
    slider.setInvertedControls(inverted);
    slider.setHandleMovementMode(mode);
    slider.setSpan(startLower, startUpper);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));

    for (int key : keys)
        QTest::keyClick(&slider, Qt::Key(key));

    QTEST(slider.lowerValue(), "lower");
    QTEST(slider.upperValue(), "upper");
}

void tst_QxtSpanSlider::unknownKeyIsNotAccepted()
{
    SpanSlider slider;
    slider.setSpan(2, 6);
    QSignalSpy spans(&slider, &QxtSpanSlider::spanChanged);

    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&slider, &event);

    QVERIFY(!event.isAccepted());
    QCOMPARE(spans.count(), 0);
}

void tst_QxtSpanSlider::drag_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<QxtSpanSlider::HandleMovementMode>("mode");
    QTest::addColumn<int>("startLower");
    QTest::addColumn<int>("startUpper");
    QTest::addColumn<int>("pressAt");
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<QxtSpanSlider::SpanHandle>("pressedHandle");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");

    const auto free = QxtSpanSlider::FreeMovement;
    const auto noCrossing = QxtSpanSlider::NoCrossing;
    const auto noOverlap = QxtSpanSlider::NoOverlapping;
    const auto lowerHandle = QxtSpanSlider::LowerHandle;
    const auto upperHandle = QxtSpanSlider::UpperHandle;
    using M = QList<int>;
    const auto row = [](const char* name, QxtSpanSlider::HandleMovementMode mode, int startLower, int startUpper,
                        int pressAt, const M& moves, QxtSpanSlider::SpanHandle pressed, int lower, int upper,
                        Qt::Orientation orientation = Qt::Horizontal) {
        QTest::newRow(name) << orientation << mode << startLower << startUpper << pressAt << moves << pressed << lower
                            << upper;
    };

    row("upper handle follows the mouse", free, 2, 6, 6, M{9}, upperHandle, 2, 9);
    row("vertical: lower handle follows the mouse", free, 2, 6, 2, M{3, 4}, lowerHandle, 4, 6, Qt::Vertical);
    // A drag passes the other handle step by step, as a hand does.
    row("free: lower passes upper and goes on as the upper", free, 2, 5, 2, M{3, 4, 5, 6, 7}, lowerHandle, 5, 7);
    row("free: passed lower comes back below the other", free, 2, 5, 2, M{4, 5, 6, 7, 6, 5, 4, 3}, lowerHandle, 3,
        5);
    row("no crossing: lower stops on upper", noCrossing, 2, 5, 2, M{8}, lowerHandle, 5, 5);
    row("no overlapping: lower stops below upper", noOverlap, 2, 5, 2, M{8}, lowerHandle, 4, 5);
    // Of two stacked handles the press takes the upper one; a first move
    // downward hands the drag to the lower one.
    row("stacked, no crossing: dragging up moves the upper", noCrossing, 5, 5, 5, M{8}, upperHandle, 5, 8);
    row("stacked, no crossing: down then up keeps the lower", noCrossing, 5, 5, 5, M{2, 4}, upperHandle, 4, 5);
    row("stacked, free: dragging down moves the lower", free, 5, 5, 5, M{2}, upperHandle, 2, 5);
}

void tst_QxtSpanSlider::drag()
{
    QFETCH(QxtSpanSlider::HandleMovementMode, mode);
    QFETCH(int, startLower);
    QFETCH(int, startUpper);
    QFETCH(int, pressAt);
    QFETCH(QList<int>, moves);
    QFETCH(QxtSpanSlider::SpanHandle, pressedHandle);
    QFETCH(Qt::Orientation, orientation);

    SpanSlider slider(orientation);
    slider.setHandleMovementMode(mode);
    slider.setSpan(startLower, startUpper);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy pressed(&slider, &QxtSpanSlider::sliderPressed);

    press(&slider, slider.handleCentre(pressAt));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).value<QxtSpanSlider::SpanHandle>(), pressedHandle);
    QVERIFY(slider.isSliderDown());
    for (int value : moves)
        moveTo(&slider, slider.handleCentre(value));
    release(&slider, slider.handleCentre(moves.last()));

    QVERIFY(!slider.isSliderDown());
    QTEST(slider.lowerValue(), "lower");
    QTEST(slider.upperValue(), "upper");
}

void tst_QxtSpanSlider::draggingTooFarSnapsBack()
{
    DragLimitStyle style;
    // The window leaves room around the slider for the mouse to stray into.
    QWidget window;
    window.resize(320, 800);
    auto* slider = new SpanSlider;
    slider->setParent(&window);
    slider->move(50, 100);
    slider->setStyle(&style);
    QCOMPARE(slider->maximumDragDistance(), DragLimitStyle::distance);
    slider->setSpan(2, 6);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    press(slider, slider->handleCentre(2));
    const QPoint atFour = slider->handleCentre(4);
    moveTo(slider, atFour);
    QCOMPARE(slider->lowerValue(), 4);
    // Within the allowed distance below the slider the handle still follows.
    moveTo(slider, QPoint(atFour.x(), slider->height() + DragLimitStyle::distance - 5));
    QCOMPARE(slider->lowerValue(), 4);
    const QPoint farBelow(atFour.x(), slider->height() + DragLimitStyle::distance + 5);
    moveTo(slider, farBelow);
    QCOMPARE(slider->lowerValue(), 2);
    release(slider, farBelow);
    QCOMPARE(slider->lowerValue(), 2);
    QCOMPARE(slider->upperValue(), 6);

    // The offscreen platform's own style sets no limit: the drag follows
    // the mouse however far it strays.
    slider->setStyle(nullptr);
    QCOMPARE(slider->maximumDragDistance(), -1);
    press(slider, slider->handleCentre(2));
    moveTo(slider, QPoint(slider->handleCentre(4).x(), slider->height() + 500));
    release(slider, QPoint(slider->handleCentre(4).x(), slider->height() + 500));
    QCOMPARE(slider->lowerValue(), 4);
}

void tst_QxtSpanSlider::withoutTrackingTheValueFollowsOnRelease()
{
    SpanSlider slider;
    slider.setTracking(false);
    slider.setSpan(2, 6);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy positions(&slider, &QxtSpanSlider::lowerPositionChanged);
    SignalLog log(&slider);

    press(&slider, slider.handleCentre(2));
    moveTo(&slider, slider.handleCentre(4));
    QCOMPARE(slider.lowerPosition(), 4);
    QCOMPARE(slider.lowerValue(), 2);
    QCOMPARE(positions.count(), 1);
    QCOMPARE(positions.at(0).at(0).toInt(), 4);
    QVERIFY(log.entries.isEmpty());

    release(&slider, slider.handleCentre(4));
    QCOMPARE(slider.lowerValue(), 4);
    QCOMPARE(log.entries, (QStringList{"lower 4", "span 4 6"}));
}

void tst_QxtSpanSlider::pressesThatGrabNoHandle()
{
    SpanSlider slider;
    slider.setSpan(2, 6);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy pressed(&slider, &QxtSpanSlider::sliderPressed);
    QSignalSpy basePressed(&slider, &QAbstractSlider::sliderPressed);

    // A press on the groove between the handles moves nothing.
    const QPoint groove = slider.handleCentre(4);
    press(&slider, groove);
    moveTo(&slider, slider.handleCentre(9));
    release(&slider, slider.handleCentre(9));
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(slider.lowerValue(), 2);
    QCOMPARE(slider.upperValue(), 6);

    // The base signal still reports a press on a handle.
    press(&slider, slider.handleCentre(6));
    release(&slider, slider.handleCentre(6));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(basePressed.count(), 1);

    // An empty range has nothing to drag.
    slider.setRange(3, 3);
    press(&slider, slider.handleCentre(3));
    release(&slider, slider.handleCentre(3));
    QCOMPARE(pressed.count(), 1);
}

void tst_QxtSpanSlider::paintsTheSpanBetweenTheHandles()
{
    SpanSlider slider;
    slider.setSpan(2, 8);
    const QImage image = slider.grab().toImage();
    // The groove between the handles is filled with the highlight; the same
    // groove where no handle stands beyond the span is not.
    QVERIFY(image.pixel(slider.handleCentre(5)) != image.pixel(slider.handleCentre(10)));
}

QTEST_MAIN(tst_QxtSpanSlider)
#include "tst_qxtspanslider.moc"
