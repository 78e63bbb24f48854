#include "plots/verticalheaderview.h"

#include <QPainter>

VerticalHeaderView::VerticalHeaderView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
}

QSize VerticalHeaderView::sizeHint() const
{
    return QHeaderView::sizeHint().transposed();
}

QSize VerticalHeaderView::minimumSizeHint() const
{
    return QAbstractScrollArea::minimumSizeHint().transposed();
}

void VerticalHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    painter->translate(rect.x() + rect.width(), rect.y());
    painter->rotate(90);
    QHeaderView::paintSection(painter, QRect(0, 0, rect.height(), rect.width()), logicalIndex);
    painter->restore();
}
