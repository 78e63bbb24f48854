#include "circularplot/mylabel.h"

MyLabel::MyLabel(QWidget* parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_Hover);
}

void MyLabel::setInteractive(bool interactive)
{
    m_interactive = interactive;
}

void MyLabel::enterEvent(QEvent* event)
{
    if (m_interactive && !m_hovered) {
        setCursor(Qt::PointingHandCursor);
        m_hovered = true;
        emit hoverLabel(true);
    }
    QLabel::enterEvent(event);
}

void MyLabel::leaveEvent(QEvent* event)
{
    if (m_interactive && m_hovered) {
        unsetCursor();
        m_hovered = false;
        emit hoverLabel(false);
    }
    QLabel::leaveEvent(event);
}

void MyLabel::mousePressEvent(QMouseEvent*)
{
    // The press is deliberately not passed on: a label that acts as a button
    // must not start a text selection or a drag.
    if (m_interactive)
        emit clicked();
}
