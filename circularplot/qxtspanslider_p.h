#pragma once

#include "circularplot/qxtspanslider.h"

#include <QAbstractSlider>
#include <QObject>
#include <QStyle>

class QStyleOptionSlider;
class QStylePainter;

// Holds the back pointer from a private implementation object to the public
// object it serves.
template <typename Public>
class QxtPrivate {
public:
    virtual ~QxtPrivate() = default;

    void setPublic(Public* object) { m_public = object; }
    Public& qxt_p() { return *m_public; }
    const Public& qxt_p() const { return *m_public; }

private:
    Public* m_public = nullptr;
};

// The span slider's state and the logic shared by its event handlers.
class QxtSpanSliderPrivate : public QObject, public QxtPrivate<QxtSpanSlider> {
    Q_OBJECT

public:
    QxtSpanSliderPrivate() = default;

    // The slider's own style option, with the position and value of the
    // given handle in place of the base slider's.
    void initStyleOption(QStyleOptionSlider* option,
                         QxtSpanSlider::SpanHandle handle = QxtSpanSlider::UpperHandle) const;
    int pick(const QPoint& point) const;
    int pixelPosToRangeValue(int pixel) const;
    void handleMousePress(const QPoint& pos, QStyle::SubControl& hit, int value,
                          QxtSpanSlider::SpanHandle handle);
    void drawSpan(QStylePainter* painter, const QRect& rect) const;
    void drawHandle(QStylePainter* painter, QxtSpanSlider::SpanHandle handle) const;
    void triggerAction(QAbstractSlider::SliderAction action, bool main);
    void swapController();
    // Both handles' position setter: with tracking, a new position at once
    // becomes the value, unless an action is already committing it.
    void setPosition(QxtSpanSlider::SpanHandle handle, int value);
    // Moves the lower (or upper) handle to value, passing the other handle
    // in free movement and stopping at it otherwise.
    void moveLowerHandle(int value, int upperLimit);
    void moveUpperHandle(int value, int lowerLimit);

    int lower = 0;
    int upper = 0;
    int lowerPosition = 0;
    int upperPosition = 0;
    int pressOffset = 0;
    int pressValue = 0;
    QxtSpanSlider::SpanHandle lastPressedHandle = QxtSpanSlider::NoHandle;
    QxtSpanSlider::SpanHandle mainHandle = QxtSpanSlider::LowerHandle;
    QStyle::SubControl lowerHit = QStyle::SC_None;
    QStyle::SubControl upperHit = QStyle::SC_None;
    QxtSpanSlider::HandleMovementMode handleMovementMode = QxtSpanSlider::FreeMovement;
    bool firstMove = false;
    bool trackingBlocked = false;

public slots:
    void updateRange(int min, int max);
    void movePressedHandle();
};
