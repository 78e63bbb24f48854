#include "circularplot/qxtspanslider.h"

#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>

namespace {

using S = QxtSpanSlider;

// Tells where a handle is, so that tests press it like a user.
class SpanSlider : public QxtSpanSlider {
public:
    using QxtSpanSlider::QxtSpanSlider;

    QPoint handleCentre(int value) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.sliderPosition = option.sliderValue = value;
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center();
    }

    // A shown 0 ... 10 slider; the mode goes through the property system, as a form sets it.
    void showWith(S::HandleMovementMode mode, const QString& span, Qt::Orientation orientation = Qt::Horizontal)
    {
        setOrientation(orientation);
        setRange(0, 10);
        resize(orientation == Qt::Horizontal ? QSize(220, 30) : QSize(30, 220));
        QVERIFY(setProperty("handleMovementMode", QVariant::fromValue(mode)));
        QCOMPARE(property("handleMovementMode").value<S::HandleMovementMode>(), mode);
        setSpan(span.section(' ', 0, 0).toInt(), span.section(' ', 1).toInt());
        show();
        QVERIFY(QTest::qWaitForWindowExposed(this));
    }

    QString span() const { return QString("%1 %2").arg(lowerValue()).arg(upperValue()); }
};

// Through the window, for the button state and implicit grab of a real drag.
void mouse(QTest::MouseAction action, QWidget* widget, QPoint pos)
{
    QWidget* window = widget->window();
    QTest::mouseEvent(action, window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, pos));
}

} // namespace

class tst_QxtSpanSlider : public QObject {
    Q_OBJECT

private slots:
    void setters_data();
    void setters();
    void userMoves_data();
    void userMoves();
    void draggingTooFarSnapsBack();
};

void tst_QxtSpanSlider::setters_data()
{
    QTest::addColumn<QString>("call"); // on a 0 ... 10 slider with the span 0 0
    QTest::addColumn<QString>("result"); // the span, then the value signals in order

    QTest::newRow("reversed span is ordered") << "setSpan 8 3" << "3 8: lower 3, upper 8, span 3 8";
    QTest::newRow("span is clamped") << "setSpan -5 20" << "0 10: upper 10, span 0 10";
    QTest::newRow("span clamped onto the current one") << "setSpan -1 0" << "0 0: ";
    QTest::newRow("lower value above the upper is reordered") << "setLowerValue 5" << "0 5: upper 5, span 0 5";
    QTest::newRow("upper is clamped") << "setUpperValue 99" << "0 10: upper 10, span 0 10";
    QTest::newRow("range above the span") << "setRange 2 5" << "2 2: lower 2, upper 2, span 2 2";
}

void tst_QxtSpanSlider::setters()
{
    QFETCH(QString, call);

    QStringList log;
    SpanSlider slider;
    slider.showWith(S::FreeMovement, "0 0");
    connect(&slider, &S::lowerValueChanged, &slider, [&](int v) { log << QString("lower %1").arg(v); });
    connect(&slider, &S::upperValueChanged, &slider, [&](int v) { log << QString("upper %1").arg(v); });
    connect(&slider, &S::spanChanged, &slider, [&](int l, int u) { log << QString("span %1 %2").arg(l).arg(u); });
    const QStringList words = call.split(' ');
    if (words.size() == 2)
        QMetaObject::invokeMethod(&slider, qPrintable(words[0]), Q_ARG(int, words[1].toInt()));
    else
        QMetaObject::invokeMethod(&slider, qPrintable(words[0]), Q_ARG(int, words[1].toInt()),
                                  Q_ARG(int, words[2].toInt()));

    QTEST(QString(slider.span() + ": " + log.join(", ")), "result");
}

void tst_QxtSpanSlider::userMoves_data()
{
    QTest::addColumn<S::HandleMovementMode>("mode");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("input"); // key names, or the value pressed and those dragged to
    QTest::addColumn<S::SpanHandle>("pressedHandle");
    QTest::addColumn<QString>("span");

    const auto row = [](const char* name, S::HandleMovementMode mode, const char* start, const char* input,
                        const char* span, S::SpanHandle pressed = S::NoHandle, const char* options = "") {
        QTest::newRow(name) << mode << QString(options) << QString(start) << QString(input) << pressed << QString(span);
    };
    row("keys: right, down", S::FreeMovement, "2 6", "Right Down", "3 5");
    row("keys: home, end", S::FreeMovement, "2 6", "Home End", "0 10");
    row("keys: inverted, right moves down", S::FreeMovement, "2 6", "Right", "1 6", S::NoHandle, "inverted");
    row("keys: vertical, up lower, right upper", S::FreeMovement, "2 6", "Up Right", "3 7", S::NoHandle, "vertical");
    row("keys, free: upper passes lower, goes on", S::FreeMovement, "4 5", "Down Down Down", "2 4");
    row("keys, no crossing: upper stops on lower", S::NoCrossing, "4 5", "Down Down Down", "4 4");
    row("keys, no overlapping: upper stays above lower", S::NoOverlapping, "4 5", "Down Down Down", "4 5");
    row("drag: vertical, lower follows the mouse", S::FreeMovement, "2 6", "2 3 4", "4 6", S::LowerHandle, "vertical");
    row("drag: untracked, value follows on release", S::FreeMovement, "2 6", "2 4", "4 6", S::LowerHandle, "untracked");
    row("drag, free: lower passes upper, goes on", S::FreeMovement, "2 5", "2 3 4 5 6 7", "5 7", S::LowerHandle);
    row("drag, no crossing: lower stops on upper", S::NoCrossing, "2 5", "2 8", "5 5", S::LowerHandle);
    row("drag, no overlapping: lower stops below upper", S::NoOverlapping, "2 5", "2 8", "4 5", S::LowerHandle);
    row("drag, stacked, no crossing: down, up keeps lower", S::NoCrossing, "5 5", "5 2 4", "4 5", S::UpperHandle);
    row("drag, stacked, free: down moves the lower", S::FreeMovement, "5 5", "5 2", "2 5", S::UpperHandle);
}

void tst_QxtSpanSlider::userMoves()
{
    QFETCH(S::HandleMovementMode, mode);
    QFETCH(QString, options);
    QFETCH(QString, start);
    QFETCH(QString, input);

    SpanSlider slider;
    slider.setInvertedAppearance(options == "inverted");
    slider.setTracking(options != "untracked");
    slider.showWith(mode, start, options == "vertical" ? Qt::Vertical : Qt::Horizontal);
    QSignalSpy pressed(&slider, &S::sliderPressed);
    QSignalSpy lowerPositions(&slider, &S::lowerPositionChanged);

    const QStringList steps = input.split(' ');
    if (!steps[0].front().isDigit()) {
        for (const QString& key : steps)
            QTest::keyClick(&slider, Qt::Key(QKeySequence(key)[0]));
    } else {
        mouse(QTest::MousePress, &slider, slider.handleCentre(steps[0].toInt()));
        for (const QString& value : steps.mid(1))
            mouse(QTest::MouseMove, &slider, slider.handleCentre(value.toInt()));
        if (options == "untracked") { // only the position follows the drag
            QCOMPARE(slider.span(), start);
            QVERIFY(!lowerPositions.isEmpty());
            QCOMPARE(lowerPositions.last().value(0).toInt(), steps.last().toInt());
        }
        mouse(QTest::MouseRelease, &slider, slider.handleCentre(steps.last().toInt()));
    }

    QTEST(pressed.value(0).value(0).value<S::SpanHandle>(), "pressedHandle");
    QTEST(slider.span(), "span");
}

void tst_QxtSpanSlider::draggingTooFarSnapsBack()
{
    const std::unique_ptr<QStyle> style(QStyleFactory::create("Windows")); // one with a drag limit
    const int distance = style->pixelMetric(QStyle::PM_MaximumDragDistance);
    QWidget window; // room for the mouse to stray into
    window.resize(320, 800);
    auto* slider = new SpanSlider(&window);
    slider->setStyle(style.get());
    window.show();
    slider->showWith(S::FreeMovement, "2 6");

    mouse(QTest::MousePress, slider, slider->handleCentre(2));
    const int x = slider->handleCentre(4).x();
    mouse(QTest::MouseMove, slider, QPoint(x, slider->height() + distance - 5));
    QCOMPARE(slider->lowerValue(), 4);
    const QPoint far(x, slider->height() + distance + 5);
    mouse(QTest::MouseMove, slider, far);
    mouse(QTest::MouseRelease, slider, far);
    QCOMPARE(slider->lowerValue(), 2);
    const QImage image = slider->grab().toImage(); // the groove is filled between the handles only
    QVERIFY(image.pixel(slider->handleCentre(4)) != image.pixel(slider->handleCentre(9)));
}

QTEST_MAIN(tst_QxtSpanSlider)
#include "tst_qxtspanslider.moc"
