#pragma once

#include <QHeaderView>

// A horizontal header whose section texts are turned by 90 degrees, so that
// long node names fit above narrow columns and read from top to bottom.
class VerticalHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit VerticalHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
