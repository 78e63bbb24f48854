#include "plots/connectivitymatrixwidgetrect.h"

#include <QTableWidget>

ConnectivityMatrixWidgetRect::ConnectivityMatrixWidgetRect()
    : QGraphicsRectItem(nullptr)
{
}

void ConnectivityMatrixWidgetRect::setCell(int row, int column)
{
    m_row = row;
    m_column = column;
}

void ConnectivityMatrixWidgetRect::mousePressEvent(QGraphicsSceneMouseEvent*)
{
    if (!m_table)
        return;
    if (QTableWidgetItem* item = m_table->item(m_row, m_column))
        m_table->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}
