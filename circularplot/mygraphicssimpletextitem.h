#pragma once

#include <QGraphicsTextItem>

// A text item of a graphics scene that reports the mouse entering and leaving
// it, once each, and shows a pointing hand while hovered.
class MyGraphicsSimpleTextItem : public QGraphicsTextItem {
    Q_OBJECT

public:
    enum { Type = UserType + 1 };

    explicit MyGraphicsSimpleTextItem(QGraphicsItem* parent = nullptr);

    int type() const override { return Type; }

signals:
    void hovering(bool state);

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    bool m_hovered = false;
};
