#include "circularplot/mygraphicssimpletextitem.h"

#include <QCursor>

MyGraphicsSimpleTextItem::MyGraphicsSimpleTextItem(QGraphicsItem* parent)
    : QGraphicsTextItem(parent)
{
    setDefaultTextColor(Qt::black);
}

void MyGraphicsSimpleTextItem::hoverEnterEvent(QGraphicsSceneHoverEvent* event)
{
    QGraphicsTextItem::hoverEnterEvent(event);
    if (!m_hovered) {
        m_hovered = true;
        setCursor(Qt::PointingHandCursor);
        emit hovering(true);
    }
}

void MyGraphicsSimpleTextItem::hoverLeaveEvent(QGraphicsSceneHoverEvent* event)
{
    QGraphicsTextItem::hoverLeaveEvent(event);
    if (m_hovered) {
        m_hovered = false;
        unsetCursor();
        emit hovering(false);
    }
}
