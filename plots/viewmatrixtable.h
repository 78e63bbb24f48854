#pragma once

#include <QTableWidget>

// The viewer's grid; reports the mouse leaving it so that the hover read-out
// can be cleared.
class ViewMatrixTable : public QTableWidget {
    Q_OBJECT

public:
    explicit ViewMatrixTable(QWidget* parent = nullptr);

signals:
    void mouseLeave();

protected:
    void leaveEvent(QEvent* event) override;
};
