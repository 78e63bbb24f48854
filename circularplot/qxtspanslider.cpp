#include "circularplot/qxtspanslider.h"

#include "circularplot/qxtspanslider_p.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <QtDebug>

void QxtSpanSliderPrivate::initStyleOption(QStyleOptionSlider* option,
                                           QxtSpanSlider::SpanHandle handle) const
{
    const QxtSpanSlider& p = qxt_p();
    p.initStyleOption(option);
    option->sliderPosition = handle == QxtSpanSlider::LowerHandle ? lowerPosition : upperPosition;
    option->sliderValue = handle == QxtSpanSlider::LowerHandle ? lower : upper;
}

int QxtSpanSliderPrivate::pick(const QPoint& point) const
{
    return qxt_p().orientation() == Qt::Horizontal ? point.x() : point.y();
}

int QxtSpanSliderPrivate::pixelPosToRangeValue(int pixel) const
{
    const QxtSpanSlider& p = qxt_p();
    QStyleOptionSlider option;
    initStyleOption(&option);

    const QRect groove = p.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &p);
    const QRect handle = p.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &p);
    int sliderMin = 0;
    int sliderMax = 0;
    if (p.orientation() == Qt::Horizontal) {
        sliderMin = groove.x();
        sliderMax = groove.right() - handle.width() + 1;
    } else {
        sliderMin = groove.y();
        sliderMax = groove.bottom() - handle.height() + 1;
    }
    return QStyle::sliderValueFromPosition(p.minimum(), p.maximum(), pixel - sliderMin,
                                           sliderMax - sliderMin, option.upsideDown);
}

void QxtSpanSliderPrivate::handleMousePress(const QPoint& pos, QStyle::SubControl& hit, int value,
                                            QxtSpanSlider::SpanHandle handle)
{
    QxtSpanSlider& p = qxt_p();
    QStyleOptionSlider option;
    initStyleOption(&option, handle);
    const QStyle::SubControl oldHit = hit;
    hit = p.style()->hitTestComplexControl(QStyle::CC_Slider, &option, pos, &p);
    const QRect handleRect = p.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &p);
    if (hit == QStyle::SC_SliderHandle) {
        pressValue = value;
        pressOffset = pick(pos - handleRect.topLeft());
        lastPressedHandle = handle;
        p.setSliderDown(true);
        emit p.sliderPressed(handle);
    }
    if (hit != oldHit)
        p.update(handleRect);
}

void QxtSpanSliderPrivate::drawSpan(QStylePainter* painter, const QRect& rect) const
{
    const QxtSpanSlider& p = qxt_p();
    QStyleOptionSlider option;
    initStyleOption(&option);

    // The groove's last pixel is its border; the span must not paint over it.
    QRect groove = p.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &p);
    const bool horizontal = option.orientation == Qt::Horizontal;
    if (horizontal)
        groove.adjust(0, 0, -1, 0);
    else
        groove.adjust(0, 0, 0, -1);

    const QColor highlight = p.palette().color(QPalette::Highlight);
    QLinearGradient gradient;
    gradient.setColorAt(0, highlight.darker(120));
    gradient.setColorAt(1, highlight.lighter(108));
    if (horizontal) {
        gradient.setStart(groove.center().x(), groove.top());
        gradient.setFinalStop(groove.center().x(), groove.bottom());
    } else {
        gradient.setStart(groove.left(), groove.center().y());
        gradient.setFinalStop(groove.right(), groove.center().y());
    }
    painter->setPen(QPen(highlight.darker(horizontal ? 130 : 150), 0));
    painter->setBrush(gradient);
    painter->drawRect(rect.intersected(groove));
}

void QxtSpanSliderPrivate::drawHandle(QStylePainter* painter, QxtSpanSlider::SpanHandle handle) const
{
    QStyleOptionSlider option;
    initStyleOption(&option, handle);
    option.subControls = QStyle::SC_SliderHandle;
    const QStyle::SubControl hit = handle == QxtSpanSlider::LowerHandle ? lowerHit : upperHit;
    if (hit == QStyle::SC_SliderHandle) {
        option.activeSubControls = hit;
        option.state |= QStyle::State_Sunken;
    }
    painter->drawComplexControl(QStyle::CC_Slider, option);
}

void QxtSpanSliderPrivate::setPosition(QxtSpanSlider::SpanHandle handle, int value)
{
    QxtSpanSlider& p = qxt_p();
    const bool isLower = handle == QxtSpanSlider::LowerHandle;
    int& position = isLower ? lowerPosition : upperPosition;
    if (position == value)
        return;
    position = value;
    if (!p.hasTracking())
        p.update();
    if (p.isSliderDown()) {
        if (isLower)
            emit p.lowerPositionChanged(value);
        else
            emit p.upperPositionChanged(value);
    }
    if (p.hasTracking() && !trackingBlocked)
        triggerAction(QAbstractSlider::SliderMove, mainHandle == handle);
}

void QxtSpanSliderPrivate::moveLowerHandle(int value, int upperLimit)
{
    QxtSpanSlider& p = qxt_p();
    if (handleMovementMode == QxtSpanSlider::NoCrossing)
        value = qMin(value, upperLimit);
    else if (handleMovementMode == QxtSpanSlider::NoOverlapping)
        value = qMin(value, upperLimit - 1);

    if (handleMovementMode == QxtSpanSlider::FreeMovement && value > upper) {
        swapController();
        p.setUpperPosition(value);
    } else {
        p.setLowerPosition(value);
    }
}

void QxtSpanSliderPrivate::moveUpperHandle(int value, int lowerLimit)
{
    QxtSpanSlider& p = qxt_p();
    if (handleMovementMode == QxtSpanSlider::NoCrossing)
        value = qMax(value, lowerLimit);
    else if (handleMovementMode == QxtSpanSlider::NoOverlapping)
        value = qMax(value, lowerLimit + 1);

    if (handleMovementMode == QxtSpanSlider::FreeMovement && value < lower) {
        swapController();
        p.setLowerPosition(value);
    } else {
        p.setUpperPosition(value);
    }
}

void QxtSpanSliderPrivate::triggerAction(QAbstractSlider::SliderAction action, bool main)
{
    QxtSpanSlider& p = qxt_p();
    trackingBlocked = true;
    bool up = (main && mainHandle == QxtSpanSlider::UpperHandle)
        || (!main && mainHandle == QxtSpanSlider::LowerHandle);

    bool move = true;
    int value = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        value = qBound(p.minimum(), (up ? upper : lower) + p.singleStep(), p.maximum());
        break;
    case QAbstractSlider::SliderSingleStepSub:
        value = qBound(p.minimum(), (up ? upper : lower) - p.singleStep(), p.maximum());
        break;
    case QAbstractSlider::SliderToMinimum:
        value = p.minimum();
        break;
    case QAbstractSlider::SliderToMaximum:
        value = p.maximum();
        break;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderNoAction:
        move = false;
        break;
    default:
        qWarning("QxtSpanSliderPrivate::triggerAction: Unknown action");
        up = false;
        break;
    }

    if (move) {
        if (up)
            moveUpperHandle(value, lower);
        else
            moveLowerHandle(value, upper);
    }

    trackingBlocked = false;
    p.setLowerValue(lowerPosition);
    p.setUpperValue(upperPosition);
}

void QxtSpanSliderPrivate::swapController()
{
    qSwap(lower, upper);
    qSwap(lowerHit, upperHit);
    lastPressedHandle = lastPressedHandle == QxtSpanSlider::LowerHandle ? QxtSpanSlider::UpperHandle
                                                                       : QxtSpanSlider::LowerHandle;
    mainHandle = mainHandle == QxtSpanSlider::LowerHandle ? QxtSpanSlider::UpperHandle
                                                         : QxtSpanSlider::LowerHandle;
}

void QxtSpanSliderPrivate::updateRange(int, int)
{
    // Clamps the span into the new range.
    qxt_p().setSpan(lower, upper);
}

void QxtSpanSliderPrivate::movePressedHandle()
{
    switch (lastPressedHandle) {
    case QxtSpanSlider::LowerHandle:
        if (lowerPosition != lower)
            triggerAction(QAbstractSlider::SliderMove, mainHandle == QxtSpanSlider::LowerHandle);
        break;
    case QxtSpanSlider::UpperHandle:
        if (upperPosition != upper)
            triggerAction(QAbstractSlider::SliderMove, mainHandle == QxtSpanSlider::UpperHandle);
        break;
    case QxtSpanSlider::NoHandle:
        break;
    }
}

QxtSpanSlider::QxtSpanSlider(QWidget* parent)
    : QSlider(parent)
    , d(new QxtSpanSliderPrivate)
{
    // Queued connections and signal spies need the handle type by name.
    qRegisterMetaType<QxtSpanSlider::SpanHandle>("QxtSpanSlider::SpanHandle");
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
    d->setPosition(LowerHandle, lower);
}

void QxtSpanSlider::setUpperPosition(int upper)
{
    d->setPosition(UpperHandle, upper);
}

void QxtSpanSlider::keyPressEvent(QKeyEvent* event)
{
    QSlider::keyPressEvent(event);

    bool main = true;
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
        main = orientation() == Qt::Horizontal;
        action = invertedAppearance() ? SliderSingleStepAdd : SliderSingleStepSub;
        break;
    case Qt::Key_Right:
        main = orientation() == Qt::Horizontal;
        action = invertedAppearance() ? SliderSingleStepSub : SliderSingleStepAdd;
        break;
    case Qt::Key_Up:
        main = orientation() == Qt::Vertical;
        action = invertedControls() ? SliderSingleStepSub : SliderSingleStepAdd;
        break;
    case Qt::Key_Down:
        main = orientation() == Qt::Vertical;
        action = invertedControls() ? SliderSingleStepAdd : SliderSingleStepSub;
        break;
    case Qt::Key_Home:
        main = d->mainHandle == LowerHandle;
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        main = d->mainHandle == UpperHandle;
        action = SliderToMaximum;
        break;
    default:
        event->ignore();
        return;
    }
    d->triggerAction(action, main);
}

void QxtSpanSlider::mousePressEvent(QMouseEvent* event)
{
    // A press while another button is held belongs to some other gesture.
    if (minimum() == maximum() || (event->buttons() ^ event->button())) {
        event->ignore();
        return;
    }

    // The upper handle is tested first so that of two stacked handles the
    // upper one is grabbed; the first move then decides which one moves.
    d->handleMousePress(event->pos(), d->upperHit, d->upper, UpperHandle);
    if (d->upperHit != QStyle::SC_SliderHandle)
        d->handleMousePress(event->pos(), d->lowerHit, d->lower, LowerHandle);

    d->firstMove = true;
    event->accept();
}

void QxtSpanSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (d->lowerHit != QStyle::SC_SliderHandle && d->upperHit != QStyle::SC_SliderHandle) {
        event->ignore();
        return;
    }

    QStyleOptionSlider option;
    initStyleOption(&option);
    const int m = style()->pixelMetric(QStyle::PM_MaximumDragDistance, &option, this);
    int newPosition = d->pixelPosToRangeValue(d->pick(event->pos()) - d->pressOffset);
    if (m >= 0) {
        const QRect r = rect().adjusted(-m, -m, m, m);
        if (!r.contains(event->pos()))
            newPosition = d->pressValue;
    }

    if (d->firstMove) {
        if (d->lower == d->upper) {
            // Dragging two stacked handles downward takes the lower one.
            if (newPosition < lowerValue()) {
                d->swapController();
                d->firstMove = false;
            }
        } else {
            d->firstMove = false;
        }
    }

    if (d->lastPressedHandle == LowerHandle)
        d->moveLowerHandle(newPosition, upperValue());
    else if (d->lastPressedHandle == UpperHandle)
        d->moveUpperHandle(newPosition, lowerValue());
    event->accept();
}

void QxtSpanSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QSlider::mouseReleaseEvent(event);
    setSliderDown(false);
    d->lowerHit = QStyle::SC_None;
    d->upperHit = QStyle::SC_None;
    update();
}

void QxtSpanSlider::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);

    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderValue = 0;
    option.sliderPosition = 0;
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    painter.drawComplexControl(QStyle::CC_Slider, option);

    option.sliderPosition = d->lowerPosition;
    const QRect lowerRect = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int lowerCentre = d->pick(lowerRect.center());
    option.sliderPosition = d->upperPosition;
    const QRect upperRect = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int upperCentre = d->pick(upperRect.center());
    const QPoint c = QRect(lowerRect.center(), upperRect.center()).center();

    // A bar four pixels thick between the handles' centres.
    const int from = qMin(lowerCentre, upperCentre);
    const int to = qMax(lowerCentre, upperCentre);
    QRect span;
    if (orientation() == Qt::Horizontal)
        span = QRect(QPoint(from, c.y() - 2), QPoint(to, c.y() + 1));
    else
        span = QRect(QPoint(c.x() - 2, from), QPoint(c.x() + 1, to));
    d->drawSpan(&painter, span);

    // The handle pressed last is drawn on top.
    if (d->lastPressedHandle == LowerHandle) {
        d->drawHandle(&painter, UpperHandle);
        d->drawHandle(&painter, LowerHandle);
    } else {
        d->drawHandle(&painter, LowerHandle);
        d->drawHandle(&painter, UpperHandle);
    }
}
