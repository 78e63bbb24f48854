#pragma once

#include <QMainWindow>
#include <QMutex>

#include <functional>

class CircularPlotWidget;
class ConnectivityObject;
class QFileDialog;

namespace Ui {
class CircularPlotWindow;
}

// The window around a subject's circular plot: a slider over the conditions,
// the plot itself and its picture export. Its Qt parent is the subject's
// dialog (a SubjectSource), through which it reaches the subject.
class CircularPlot : public QMainWindow {
    Q_OBJECT

public:
    // Runs the configured "Save as..." dialog; true when a file was accepted.
    using FileDialogRunner = std::function<bool(QFileDialog& dialog)>;

    explicit CircularPlot(QWidget* parent = nullptr);
    ~CircularPlot() override;

    void initConditionsSlider();
    void initNodeNames();
    void initPlot();
    CircularPlotWidget* plotWidget() const { return m_plotWidget; }

    void setFileDialogRunner(FileDialogRunner runner);

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
    ConnectivityObject* subject() const;
    void hideConditionsSlider();

    Ui::CircularPlotWindow* ui;
    QMutex m_mutex;
    CircularPlotWidget* m_plotWidget;
    FileDialogRunner m_runFileDialog;
};
