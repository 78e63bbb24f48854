#pragma once

#include <QSlider>
#include <QStringList>
#include <QVector>

// A horizontal slider that writes a text label at each tick, turned by 90
// degrees so that it runs downwards from the slider's top edge.
class MySlider : public QSlider {
    Q_OBJECT

public:
    explicit MySlider(QWidget* parent = nullptr);

    // One label per position; the maximum becomes the number of labels.
    void setLabels(const QStringList& labels);
    QStringList labels() const { return m_labels; }

    // The x at which paintEvent starts label k, for every label it draws.
    QVector<int> labelPositions() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_labels;
};
