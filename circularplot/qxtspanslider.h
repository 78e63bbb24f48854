#pragma once

#include <QSlider>

class QxtSpanSliderPrivate;

// A slider with two handles that selects a span [lower, upper] of integers
// within its range. The handles are dragged with the mouse or moved with the
// keyboard; the movement mode decides whether they may cross or touch.
class QxtSpanSlider : public QSlider {
    Q_OBJECT
    Q_PROPERTY(int lowerValue READ lowerValue WRITE setLowerValue)
    Q_PROPERTY(int upperValue READ upperValue WRITE setUpperValue)
    Q_PROPERTY(int lowerPosition READ lowerPosition WRITE setLowerPosition)
    Q_PROPERTY(int upperPosition READ upperPosition WRITE setUpperPosition)
    Q_PROPERTY(HandleMovementMode handleMovementMode READ handleMovementMode WRITE setHandleMovementMode)

public:
    enum SpanHandle { NoHandle, LowerHandle, UpperHandle };
    Q_ENUM(SpanHandle)

    enum HandleMovementMode { FreeMovement, NoCrossing, NoOverlapping };
    Q_ENUM(HandleMovementMode)

    explicit QxtSpanSlider(QWidget* parent = nullptr);
    ~QxtSpanSlider() override;

    HandleMovementMode handleMovementMode() const;
    void setHandleMovementMode(HandleMovementMode mode);

    int lowerValue() const;
    int upperValue() const;
    int lowerPosition() const;
    int upperPosition() const;

public slots:
    void setLowerValue(int lower);
    void setUpperValue(int upper);
    void setSpan(int lower, int upper);
    void setLowerPosition(int lower);
    void setUpperPosition(int upper);

signals:
    void spanChanged(int lower, int upper);
    void lowerValueChanged(int lower);
    void upperValueChanged(int upper);
    void lowerPositionChanged(int lower);
    void upperPositionChanged(int upper);
    // Hides QAbstractSlider::sliderPressed(); connect to that one by its
    // member pointer when the handle does not matter.
    void sliderPressed(QxtSpanSlider::SpanHandle handle);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class QxtSpanSliderPrivate;
    QxtSpanSliderPrivate* d;
};
