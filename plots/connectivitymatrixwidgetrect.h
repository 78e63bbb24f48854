#pragma once

#include <QGraphicsRectItem>

class QTableWidget;

// One cell of the viewer's overview picture; pressing it scrolls the grid so
// that the matching cell is centred.
class ConnectivityMatrixWidgetRect : public QGraphicsRectItem {
public:
    ConnectivityMatrixWidgetRect();

    void setTable(QTableWidget* table) { m_table = table; }
    void setCell(int row, int column);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

private:
    QTableWidget* m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
};
