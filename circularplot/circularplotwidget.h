#pragma once

#include <Eigen/Dense>
#include <QColor>
#include <QFont>
#include <QGraphicsView>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QPen>
#include <QPointF>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

class EdgeLayer;
class MyGraphicsSimpleTextItem;
class QGraphicsSimpleTextItem;

namespace QtCharts {
class QChart;
class QScatterSeries;
class QSplineSeries;
} // namespace QtCharts

// The circular connectivity plot of one matrix: nodes on a circle, every
// nonzero connection a curve bowed towards the centre, the node names outside
// the circle. Each connection is a QSplineSeries that carries its state in
// dynamic properties ("value", "pen", "fadein-pen", "emitting-from", ...);
// hovering an edge highlights it, hovering a label shows only that node's
// edges, and the display range hides edges outside an open interval.
class CircularPlotWidget : public QGraphicsView {
    Q_OBJECT

public:
    explicit CircularPlotWidget(QWidget* parent = nullptr);
    ~CircularPlotWidget() override;

    void setNodeNames(const QStringList& names);
    // Shows one slider position: the matrix of a condition (type 1) or the
    // caption of a trigger (any other type). data is a QVariantHash with
    // "slice", optionally "mst" (std::vector<int>, column-major N x N tree
    // flags), "condition_str" and "condition_type".
    void plot(const Eigen::MatrixXf& matrix, int conditionType, const QVariant& data);
    // Shows the edges whose value lies strictly between the bounds.
    void filterDisplayRange(double lower, double upper);

    void toggleLabels(bool state);
    void setNodesSize(int value);
    void toggleUseWeights(bool state);
    void setThicknessMultiplier(double value);
    void setFixedThickness(double value);
    void toggleColorizeEdges(bool state);

    // What is on screen, for the window, the tests and the benchmarks.
    QtCharts::QChart* chart() const { return m_chart; }
    QtCharts::QScatterSeries* nodesSeries() const { return m_nodes; }
    const QList<QtCharts::QSplineSeries*>& edgeList() const { return m_edges; }
    const QHash<int, QtCharts::QSplineSeries*>& edgesByIndex() const { return m_edgesByIndex; }
    const QVector<MyGraphicsSimpleTextItem*>& labelItems() const { return m_labels; }
    QGraphicsSimpleTextItem* valueLabel() const { return m_valueLabel; }
    QGraphicsSimpleTextItem* triggerCaption() const { return m_triggerCaption; }
    EdgeLayer* edgeLayer() const { return m_edgeLayer; }
    const QVector<QPointF>& nodePositions() const { return m_positions; }
    const QVector<double>& nodeAngles() const { return m_angles; }

public slots:
    void hoveringLabel(bool state);
    void highlightEdge(QPointF point, bool state);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class PenVariants;

    void clearPlot();
    void setData(const Eigen::MatrixXf& matrix);
    void createLabels(const QSize& chartSize);
    void deleteLabels();
    void createEdges();
    void createEdge(int from, int to, double w, int index, PenVariants& pens);
    void setAxes();
    bool isTreeEdge(QtCharts::QSplineSeries* edge) const;
    void fadeEdges();
    void restoreEdges();
    void updateEdgeColors();
    void updateEdgeWidths();
    double edgeWidth(double value) const;
    void redraw();

    QtCharts::QChart* m_chart;
    QtCharts::QScatterSeries* m_nodes = nullptr;
    QHash<int, QtCharts::QSplineSeries*> m_edgesByIndex;
    // Weakest first; also the order the series were created in.
    QList<QtCharts::QSplineSeries*> m_edges;
    // What each edge's "pen" and "fadein-pen" hold, in the order of m_edges, as
    // slots of a table of the few distinct pens and their property values.
    // Only this widget writes those properties; reading them back by name,
    // and copying a value per edge, tens of thousands of times per hover,
    // cost more than the writes.
    struct PenSlot {
        QPen pen;
        QVariant value;
    };
    struct EdgePens {
        int pen;
        int fadein;
    };
    int penSlot(const QPen& pen);
    std::vector<PenSlot> m_penSlots;
    std::vector<EdgePens> m_edgePens;
    QSet<QtCharts::QSplineSeries*> m_treeEdges;
    QVector<MyGraphicsSimpleTextItem*> m_labels;
    QGraphicsSimpleTextItem* m_valueLabel;
    QGraphicsSimpleTextItem* m_triggerCaption = nullptr;
    EdgeLayer* m_edgeLayer;
    QStringList m_nodeNames;
    quint32 m_nodeCount = 0;
    QVector<QPointF> m_positions;
    QVector<double> m_angles;
    Eigen::MatrixXf m_weights;
    Eigen::Matrix<qint32, Eigen::Dynamic, Eigen::Dynamic> m_tree;
    bool m_hasTree = false;
    QFont m_labelFont;
    double m_markerSize = 10.0;
    QPen m_highlightPen;
    QPen m_defaultPen;
    QPen m_treePen;
    QColor m_defaultColor;
    bool m_showLabels = true;
    bool m_useWeights = true;
    float m_thicknessMultiplier = 5.0f;
    float m_fixedThickness = 1.0f;
    bool m_colorizeEdges = false;
    QMutex m_mutex;
    int m_conditionType = 1;
};
