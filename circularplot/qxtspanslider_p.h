#pragma once

#include "circularplot/qxtspanslider.h"

#include <QObject>
#include <QStyle>

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
