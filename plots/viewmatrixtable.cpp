#include "plots/viewmatrixtable.h"

ViewMatrixTable::ViewMatrixTable(QWidget* parent)
    : QTableWidget(parent)
{
}

void ViewMatrixTable::leaveEvent(QEvent* event)
{
    QTableWidget::leaveEvent(event);
    emit mouseLeave();
}
