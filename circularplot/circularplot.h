#pragma once

#include <QMainWindow>

class CircularPlotWidget;

// The window around a subject's circular plot: a slider over the conditions,
// the plot itself and its picture export. Its Qt parent is the subject's
// dialog, through which it reaches the subject.
class CircularPlot : public QMainWindow {
    Q_OBJECT

public:
    explicit CircularPlot(QWidget* parent = nullptr);
    ~CircularPlot() override;

    void initConditionsSlider();
    void initNodeNames();
    void initPlot();
    CircularPlotWidget* plotWidget() const { return m_plotWidget; }

signals:
    void closingWindow();

public slots:
    void valueChanged();
    void displayRangeChanged(int lower, int upper);
    void showContextMenu(const QPoint& pos);
    void saveImage();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CircularPlotWidget* m_plotWidget;
};
