#include "circularplot/qxtspanslider.h"

#include "circularplot/qxtspanslider_p.h"

void QxtSpanSliderPrivate::updateRange(int, int)
{
    qxt_p().setSpan(lower, upper);
}

void QxtSpanSliderPrivate::movePressedHandle()
{
}

QxtSpanSlider::QxtSpanSlider(QWidget* parent)
    : QSlider(parent)
    , d(new QxtSpanSliderPrivate)
{
    d->setPublic(this);
    connect(this, &QSlider::rangeChanged, d, &QxtSpanSliderPrivate::updateRange);
    connect(this, &QSlider::sliderReleased, d, &QxtSpanSliderPrivate::movePressedHandle);
}

QxtSpanSlider::~QxtSpanSlider()
{
    delete d;
}

QxtSpanSlider::HandleMovementMode QxtSpanSlider::handleMovementMode() const
{
    return d->handleMovementMode;
}

void QxtSpanSlider::setHandleMovementMode(HandleMovementMode mode)
{
    d->handleMovementMode = mode;
}

int QxtSpanSlider::lowerValue() const
{
    return qMin(d->lower, d->upper);
}

int QxtSpanSlider::upperValue() const
{
    return qMax(d->lower, d->upper);
}

int QxtSpanSlider::lowerPosition() const
{
    return d->lowerPosition;
}

int QxtSpanSlider::upperPosition() const
{
    return d->upperPosition;
}

void QxtSpanSlider::setLowerValue(int lower)
{
    setSpan(lower, d->upper);
}

void QxtSpanSlider::setUpperValue(int upper)
{
    setSpan(d->lower, upper);
}

void QxtSpanSlider::setSpan(int lower, int upper)
{
    const int low = qBound(minimum(), qMin(lower, upper), maximum());
    const int upp = qBound(minimum(), qMax(lower, upper), maximum());
    if (low == d->lower && upp == d->upper)
        return;
    if (low != d->lower) {
        d->lower = d->lowerPosition = low;
        emit lowerValueChanged(low);
    }
    if (upp != d->upper) {
        d->upper = d->upperPosition = upp;
        emit upperValueChanged(upp);
    }
    emit spanChanged(d->lower, d->upper);
    update();
}

void QxtSpanSlider::setLowerPosition(int lower)
{
    d->lowerPosition = lower;
}

void QxtSpanSlider::setUpperPosition(int upper)
{
    d->upperPosition = upper;
}

void QxtSpanSlider::keyPressEvent(QKeyEvent* event)
{
    QSlider::keyPressEvent(event);
}

void QxtSpanSlider::mousePressEvent(QMouseEvent* event)
{
    QSlider::mousePressEvent(event);
}

void QxtSpanSlider::mouseMoveEvent(QMouseEvent* event)
{
    QSlider::mouseMoveEvent(event);
}

void QxtSpanSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QSlider::mouseReleaseEvent(event);
}

void QxtSpanSlider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
}
