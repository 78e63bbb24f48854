#pragma once

#include <Eigen/Dense>
#include <QGraphicsView>
#include <QPointF>
#include <QStringList>
#include <QVariant>

// The circular connectivity plot of one matrix: nodes on a circle, every
// nonzero connection a curve bowed towards the centre.
class CircularPlotWidget : public QGraphicsView {
    Q_OBJECT

public:
    explicit CircularPlotWidget(QWidget* parent = nullptr);
    ~CircularPlotWidget() override;

    void setNodeNames(const QStringList& names);
    // Shows one slider position: the matrix of a condition (type 1) or the
    // caption of a trigger (type 2). data carries the condition's name.
    void plot(const Eigen::MatrixXf& matrix, int conditionType, const QVariant& data);
    void filterDisplayRange(double lower, double upper);

    void toggleLabels(bool state);
    void setNodesSize(int value);
    void toggleUseWeights(bool state);
    void setThicknessMultiplier(double value);
    void setFixedThickness(double value);
    void toggleColorizeEdges(bool state);

public slots:
    void hoveringLabel(bool state);
    void highlightEdge(QPointF point, bool state);
};
