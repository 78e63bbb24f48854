#include "circularplot/myslider.h"

#include <QFontMetrics>
#include <QPainter>

MySlider::MySlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
}

void MySlider::setLabels(const QStringList& labels)
{
    m_labels = labels;
    setMaximum(m_labels.size());
}

QVector<int> MySlider::labelPositions() const
{
    QVector<int> positions;
    if (m_labels.isEmpty() || orientation() != Qt::Horizontal)
        return positions;

    // QSlider's default tick interval is 0, which would divide by zero below.
    const int interval = qMax(tickInterval(), 1);
    const int n = (maximum() - minimum()) / interval;
    const int width = geometry().width();
    const QFontMetrics metrics(font());
    // A tick without a label gets none; labels past the last tick are not drawn.
    for (int k = 0; k <= n && k < m_labels.size(); ++k) {
        const QString tick = QString::number(interval * k + minimum());
        // A single label has no spacing to divide; it stands at the left end.
        int x = (n > 0 ? width / n * k : 0) - metrics.horizontalAdvance(tick) / 2;
        if (k == 0)
            x += 5;
        else if (k == n)
            x = int(float(x) - 5.0f);
        positions.append(x);
    }
    return positions;
}

void MySlider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    const QVector<int> positions = labelPositions();
    if (positions.isEmpty())
        return;

    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(font());
    for (int k = 0; k < positions.size(); ++k) {
        painter.save();
        painter.translate(positions[k], -5.0);
        painter.rotate(90);
        painter.drawText(0, 0, m_labels[k]);
        painter.restore();
    }
}
