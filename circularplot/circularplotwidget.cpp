#include "circularplot/circularplotwidget.h"

#include "circularplot/colors.h"
#include "circularplot/edgelayer.h"
#include "circularplot/mygraphicssimpletextitem.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsEllipseItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QMutexLocker>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace QtCharts;

namespace {

// Chart value coordinates: the axes run from 0 to 640, the circle of radius
// 640 / 3 is centred at (320, 320) and the edges bow towards (320, 330).
constexpr double kAxisMaximum = 640.0;
constexpr float kCircleRadius = 213.3333282470703f;
constexpr double kCentre = 320.0;
constexpr double kBowTargetY = 330.0;
constexpr float kDegree = 0.017453292f;
// Not pi: the labels' turn is computed with this constant.
constexpr double kHalfTurn = 3.14156;
constexpr float kLabelDistance = 60.0f;
// A width beyond any sensible line; larger, infinite or NaN products of
// thickness and weight are drawn at this width or as hairlines.
constexpr double kMaximumPenWidth = 100.0;
const QColor kFadedColor(0, 0, 0, 10);

// The pen width of an edge: truncated toward zero, kept within what a pen
// can draw.
int penWidth(double width)
{
    if (!(width > 0.0))
        return 0;
    return int(std::min(width, kMaximumPenWidth));
}

// Subjects only hold square matrices; anything else is cut to its square part
// rather than read past its end.
Eigen::Index nodeCount(const Eigen::MatrixXf& matrix)
{
    return std::min(matrix.rows(), matrix.cols());
}

} // namespace

// Most edges carry one of a handful of distinct pens. Deriving each variant
// once and sharing it spares a pen allocation per edge and turns Qt's pen
// comparisons into pointer checks, which keeps a hover over tens of thousands
// of edges fast.
class CircularPlotWidget::PenVariants {
public:
    template <typename Change>
    QPen get(const QPen& source, quint64 key, Change change)
    {
        for (const Variant& variant : m_variants) {
            if (variant.key == key && variant.source == source)
                return variant.result;
        }
        QPen result = source;
        change(result);
        if (m_variants.size() < kMaximumVariants)
            m_variants.push_back({source, key, result});
        return result;
    }

private:
    static constexpr std::size_t kMaximumVariants = 16;
    struct Variant {
        QPen source;
        quint64 key;
        QPen result;
    };
    std::vector<Variant> m_variants;
};

CircularPlotWidget::CircularPlotWidget(QWidget* parent)
    : QGraphicsView(parent)
    , m_chart(new QChart)
    , m_valueLabel(new QGraphicsSimpleTextItem(m_chart))
    , m_edgeLayer(new EdgeLayer(m_chart))
    , m_labelFont(QStringLiteral("Arial"), 10)
    , m_highlightPen(QBrush(Qt::blue), 1, Qt::SolidLine)
    , m_defaultPen(QBrush(QColor(0, 0, 0, 30)), 1, Qt::SolidLine)
    , m_treePen(QBrush(Qt::red), 1, Qt::SolidLine)
    , m_defaultColor(0, 0, 0, 30)
{
    qRegisterMetaType<std::vector<int>>("std::vector<int>");
    m_chart->legend()->hide();
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setMargins(QMargins(0, 0, 0, 0));
    m_chart->setBackgroundRoundness(0);
    m_chart->setAcceptHoverEvents(true);
    m_chart->setPreferredSize(660, 660);
    m_chart->resize(660, 660);

    m_valueLabel->setFont(QFont(QStringLiteral("Arial"), 10, 75));
    m_valueLabel->hide();
    // Above the chart's grid and axes, below the node dots.
    m_edgeLayer->setZValue(7.0);
    m_edgeLayer->setFadedColor(kFadedColor);

    auto* scene = new QGraphicsScene(this);
    // The plot has few items but tens of thousands of edge updates; an index
    // would be rebuilt for nothing.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    scene->addItem(m_chart);
    scene->setSceneRect(QRectF(QPointF(0.0, 0.0), m_chart->size()));
    setScene(scene);

    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::NoDrag);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
}

CircularPlotWidget::~CircularPlotWidget()
{
    m_edgeLayer->clearEdges();
    qDeleteAll(m_edges);
}

void CircularPlotWidget::setNodeNames(const QStringList& names)
{
    m_nodeNames = names;
}

void CircularPlotWidget::plot(const Eigen::MatrixXf& matrix, int conditionType, const QVariant& data)
{
    const QVariantHash hash = data.toHash();
    m_hasTree = false;
    m_conditionType = conditionType;
    if (conditionType == 1) {
        if (m_triggerCaption)
            m_triggerCaption->hide();
        const std::vector<int> mst = hash.value(QStringLiteral("mst")).value<std::vector<int>>();
        if (!mst.empty()) {
            // The flags are the matrix's, column by column; entries missing
            // from a short list flag nothing, extra ones are ignored.
            m_hasTree = true;
            m_tree.setZero(nodeCount(matrix), nodeCount(matrix));
            std::copy_n(mst.begin(), std::min(mst.size(), std::size_t(m_tree.size())), m_tree.data());
        }
        setData(matrix);
        return;
    }

    QMutexLocker locker(&m_mutex);
    clearPlot();
    if (!m_triggerCaption)
        m_triggerCaption = new QGraphicsSimpleTextItem(m_chart);
    m_triggerCaption->setFont(QFont(QStringLiteral("Arial"), 14));
    m_triggerCaption->setText(QStringLiteral("Trigger \"%1\"").arg(hash.value(QStringLiteral("condition_str")).toString()));
    const QSize size = m_chart->size().toSize();
    m_triggerCaption->setPos(size.width() / 2.0, size.height() / 2.0);
    m_triggerCaption->show();
}

void CircularPlotWidget::clearPlot()
{
    deleteLabels();
    m_valueLabel->hide();
    m_edgeLayer->clearEdges();
    m_edgeLayer->setReferenceSeries(nullptr);
    // The edges are not in the chart and have no parent: delete them here.
    qDeleteAll(m_edges);
    m_edgesByIndex.clear();
    m_edges.clear();
    m_edgePens.clear();
    m_penSlots.clear();
    m_treeEdges.clear();
    m_chart->removeAllSeries();
    m_nodes = nullptr;
}

void CircularPlotWidget::setData(const Eigen::MatrixXf& matrix)
{
    QMutexLocker locker(&m_mutex);
    clearPlot();
    m_weights = matrix.topLeftCorner(nodeCount(matrix), nodeCount(matrix));
    m_nodeCount = quint32(m_weights.rows());

    // The angle accumulates in single precision, one step before each slot,
    // so slot 0 lies one step past 3 o'clock and the last slot at 2 pi.
    const int n = int(m_nodeCount);
    m_positions.resize(n);
    m_angles.resize(n);
    float theta = 0.0f;
    for (int k = 0; k < n; ++k) {
        theta = theta + 360.0f / float(n) * kDegree;
        const auto x = float(std::cos(double(theta)) * double(kCircleRadius) + kCentre);
        const auto y = float(std::sin(double(theta)) * double(kCircleRadius) + kCentre);
        m_angles[k] = double(theta);
        m_positions[k] = QPointF(double(x), double(y));
    }

    createLabels(m_chart->size().toSize());
    createEdges();
    if (m_colorizeEdges)
        updateEdgeColors();
    // sender() searches this widget's connections newest first: the
    // strongest edges, drawn on top, are found at once.
    for (QSplineSeries* edge : qAsConst(m_edges))
        connect(edge, &QSplineSeries::hovered, this, &CircularPlotWidget::highlightEdge);

    m_nodes = new QScatterSeries;
    m_nodes->setColor(Qt::black);
    m_nodes->setBorderColor(Qt::white);
    m_nodes->setMarkerSize(m_markerSize);
    m_nodes->replace(m_positions);
    m_chart->addSeries(m_nodes);
    setAxes();
    m_edgeLayer->setEdges(m_edges.toVector());
    m_edgeLayer->setReferenceSeries(m_nodes);
}

// Value coordinates 0 ... 640 on both axes without drawing grid, ticks or
// axis labels: the default value axes fix the domain, then give way to an
// empty category axis. The fixed plot area maps value (x, y) to chart pixel
// (x, 640 - y), which is what puts each label beside its own dot.
void CircularPlotWidget::setAxes()
{
    m_chart->createDefaultAxes();
    const QList<QAbstractAxis*> defaults = m_chart->axes();
    for (QAbstractAxis* axis : defaults) {
        axis->setRange(0.0, kAxisMaximum);
        m_chart->removeAxis(axis);
        delete axis;
    }
    auto* empty = new QCategoryAxis;
    empty->setGridLineVisible(false);
    m_chart->addAxis(empty, Qt::AlignBottom);
    m_nodes->attachAxis(empty);
    m_chart->setPlotArea(QRectF(0.0, 0.0, kAxisMaximum, kAxisMaximum));
}

double CircularPlotWidget::edgeWidth(double value) const
{
    return m_useWeights ? double(m_thicknessMultiplier) * value : double(m_fixedThickness);
}

void CircularPlotWidget::createEdges()
{
    // Weakest first, so stronger connections are drawn over weaker ones; NaN
    // weights last and equal values by index, so the order is always defined.
    // The series are created in that order, so every loop over the edges
    // walks them in the order they lie in memory.
    struct Pending {
        double value;
        int index;
        int from;
        int to;
    };
    std::vector<Pending> pending;
    const int n = int(m_nodeCount);
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const double w = double(m_weights(i, j));
            if (w != 0.0)
                pending.push_back({w, int(pending.size()), j, i});
        }
    }
    std::sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) {
        const bool aNan = std::isnan(a.value);
        const bool bNan = std::isnan(b.value);
        if (aNan != bNan)
            return bNan;
        if (!aNan && a.value != b.value)
            return a.value < b.value;
        return a.index < b.index;
    });

    m_edges.reserve(int(pending.size()));
    m_edgePens.reserve(pending.size());
    PenVariants pens;
    for (const Pending& edgeData : pending)
        createEdge(edgeData.from, edgeData.to, edgeData.value, edgeData.index, pens);
}

void CircularPlotWidget::createEdge(int from, int to, double w, int index, PenVariants& pens)
{
    const bool tree = m_hasTree && m_tree(to, from) != 0;
    const double width = edgeWidth(w);
    const QPen pen = pens.get(tree ? m_treePen : m_defaultPen, quint64(penWidth(width)),
        [&](QPen& p) { p.setWidth(penWidth(width)); });

    const QPointF start = m_positions[from];
    const QPointF end = m_positions[to];
    const QPointF middle((start.x() + end.x()) / 2.0, (start.y() + end.y()) / 2.0);
    const QPointF control((middle.x() + kCentre) / 2.0, (middle.y() + kBowTargetY) / 2.0);

    auto* edge = new QSplineSeries;
    edge->replace(QVector<QPointF>{start, control, end});
    edge->setPen(pen);
    // Dynamic properties are looked up by comparing names in the order they
    // were set: the ones every hover reads come first.
    const QVariant penValue = QVariant::fromValue(pen);
    edge->setProperty("pen", penValue);
    edge->setProperty("fadein-pen", penValue);
    edge->setProperty("value", w);
    edge->setProperty("emitting-from", from);
    edge->setProperty("emitting-to", to);
    edge->setProperty("pen-width", width);
    edge->setProperty("cmap-color", jetColor(w));
    edge->setProperty("default-color", m_defaultColor);
    edge->setProperty("original-pen", penValue);
    edge->setProperty("index", index);
    if (tree) {
        edge->setProperty("mst_sig", true);
        m_treeEdges.insert(edge);
    }
    m_edgesByIndex.insert(index, edge);
    m_edges.append(edge);
    const int slot = penSlot(pen);
    m_edgePens.push_back({slot, slot});
}

void CircularPlotWidget::deleteLabels()
{
    for (MyGraphicsSimpleTextItem* label : qAsConst(m_labels))
        label->hide();
    qDeleteAll(m_labels);
    m_labels.clear();
}

// Labels use the slots' value coordinates directly as chart pixels, where y
// grows downward: the label drawn at slot k lies at the mirror image of slot
// k, beside the dot of node n - k - 2 (the last slot, at 2 pi, mirrors onto
// itself).
void CircularPlotWidget::createLabels(const QSize& chartSize)
{
    if (m_conditionType == 2)
        return;
    const int n = int(m_nodeCount);
    for (int k = 0; k < n; ++k) {
        const double angle = m_angles[k] * 180.0 / kHalfTurn;
        const double x = m_positions[k].x();
        const double y = m_positions[k].y();
        const int node = k < n - 1 ? n - k - 2 : n - 1;

        const auto vx = float(x - chartSize.width() / 2.0);
        const auto vy = float(y - chartSize.height() / 2.0);
        const float length = std::sqrt(vx * vx + vy * vy);
        const float dx = length > 0.0f ? vx / length : 0.0f;
        const float dy = length > 0.0f ? vy / length : 0.0f;

        double rotation = 0.0;
        float factor = 1.0f;
        float offset = 5.0f;
        if (dx < 0.0f && dy != 0.0f) {
            rotation = angle + 180.0;
            factor = 2.0f;
            offset = 0.0f;
        } else if (dx > 0.0f && dy != 0.0f) {
            rotation = angle;
            factor = 1.25f;
            offset = 0.0f;
        }

        auto* label = new MyGraphicsSimpleTextItem(m_chart);
        connect(label, &MyGraphicsSimpleTextItem::hovering, this, &CircularPlotWidget::hoveringLabel);
        label->setPlainText(m_nodeNames.value(node));
        label->setFont(m_labelFont);
        label->setProperty("index", node);
        label->setRotation(rotation);
        label->setPos(x + double(dx * kLabelDistance * factor + offset), y + double(dy * kLabelDistance * factor + offset));
        // Turned text is slow to draw and every hover repaints the plot: the
        // label is drawn once, upright, and its picture turned.
        label->setCacheMode(QGraphicsItem::ItemCoordinateCache);
        label->setVisible(true);
        m_labels.append(label);
    }
}

void CircularPlotWidget::filterDisplayRange(double lower, double upper)
{
    for (QSplineSeries* edge : qAsConst(m_edges)) {
        const double value = edge->property("value").toDouble();
        const bool inside = lower < value && value < upper;
        edge->setVisible(inside);
        edge->setProperty("filtered-out", !inside);
    }
    m_edgeLayer->visibilityChanged();
}

void CircularPlotWidget::redraw()
{
    update();
    repaint();
}

void CircularPlotWidget::toggleLabels(bool state)
{
    m_showLabels = state;
    for (MyGraphicsSimpleTextItem* label : qAsConst(m_labels))
        label->setVisible(state);
    redraw();
}

void CircularPlotWidget::setNodesSize(int value)
{
    m_markerSize = double(value);
    if (m_nodes)
        m_nodes->setMarkerSize(m_markerSize);
    redraw();
}

void CircularPlotWidget::toggleUseWeights(bool state)
{
    m_useWeights = state;
    updateEdgeWidths();
    m_edgeLayer->refresh();
    redraw();
}

void CircularPlotWidget::setThicknessMultiplier(double value)
{
    m_thicknessMultiplier = float(value);
    updateEdgeWidths();
    m_edgeLayer->refresh();
    redraw();
}

void CircularPlotWidget::setFixedThickness(double value)
{
    m_fixedThickness = float(value);
    updateEdgeWidths();
    m_edgeLayer->refresh();
    redraw();
}

void CircularPlotWidget::toggleColorizeEdges(bool state)
{
    m_colorizeEdges = state;
    updateEdgeColors();
    m_edgeLayer->refresh();
    redraw();
}

bool CircularPlotWidget::isTreeEdge(QSplineSeries* edge) const
{
    // The edges flagged "mst_sig", without a property lookup per edge.
    return !m_treeEdges.isEmpty() && m_treeEdges.contains(edge);
}

int CircularPlotWidget::penSlot(const QPen& pen)
{
    // Pens derived once and shared are found by their data pointer; a pen
    // made anew (the faded one of each hover) by its value.
    for (std::size_t i = 0; i < m_penSlots.size(); ++i)
        if (m_penSlots[i].pen.data_ptr() == const_cast<QPen&>(pen).data_ptr())
            return int(i);
    for (std::size_t i = 0; i < m_penSlots.size(); ++i)
        if (m_penSlots[i].pen == pen)
            return int(i);
    m_penSlots.push_back({pen, QVariant::fromValue(pen)});
    return int(m_penSlots.size() - 1);
}

void CircularPlotWidget::fadeEdges()
{
    // Every ordinary edge of a width shares one faded pen and one property
    // value, made once per hover. After a restore "fadein-pen" already holds
    // the pen, and Qt drops a write of an equal value without a change
    // event, so the write is skipped: it would cost a name lookup per edge.
    std::vector<int> fadedSlots;
    for (int i = 0; i < m_edges.size(); ++i) {
        QSplineSeries* edge = m_edges[i];
        if (isTreeEdge(edge))
            continue;
        EdgePens& pens = m_edgePens[std::size_t(i)];
        if (pens.fadein != pens.pen) {
            edge->setProperty("fadein-pen", m_penSlots[std::size_t(pens.pen)].value);
            pens.fadein = pens.pen;
        }
        if (std::size_t(pens.pen) >= fadedSlots.size())
            fadedSlots.resize(m_penSlots.size(), -1);
        if (fadedSlots[std::size_t(pens.pen)] < 0) {
            QPen faded = m_penSlots[std::size_t(pens.pen)].pen;
            faded.setColor(kFadedColor);
            const int slot = penSlot(faded);
            fadedSlots[std::size_t(pens.pen)] = slot;
        }
        pens.pen = fadedSlots[std::size_t(pens.pen)];
        const PenSlot& faded = m_penSlots[std::size_t(pens.pen)];
        edge->setPen(faded.pen);
        edge->setProperty("pen", faded.value);
    }
}

void CircularPlotWidget::restoreEdges()
{
    for (int i = 0; i < m_edges.size(); ++i) {
        QSplineSeries* edge = m_edges[i];
        if (isTreeEdge(edge))
            continue;
        EdgePens& pens = m_edgePens[std::size_t(i)];
        const PenSlot& fadein = m_penSlots[std::size_t(pens.fadein)];
        // With the colour map on, the recolouring below sets the pen shown.
        if (!m_colorizeEdges)
            edge->setPen(fadein.pen);
        edge->setProperty("pen", fadein.value);
        pens.pen = pens.fadein;
    }
    if (m_colorizeEdges)
        updateEdgeColors();
}

// The colour map is laid over the pen shown; "pen" keeps its base colour.
void CircularPlotWidget::updateEdgeColors()
{
    const char* key = m_colorizeEdges ? "cmap-color" : "default-color";
    PenVariants pens;
    for (int i = 0; i < m_edges.size(); ++i) {
        QSplineSeries* edge = m_edges[i];
        if (isTreeEdge(edge))
            continue;
        const QColor color = edge->property(key).value<QColor>();
        const QPen& pen = m_penSlots[std::size_t(m_edgePens[std::size_t(i)].pen)].pen;
        edge->setPen(pens.get(pen, color.rgba64(), [&](QPen& p) { p.setColor(color); }));
    }
}

void CircularPlotWidget::updateEdgeWidths()
{
    PenVariants pens;
    for (int i = 0; i < m_edges.size(); ++i) {
        QSplineSeries* edge = m_edges[i];
        EdgePens& state = m_edgePens[std::size_t(i)];
        const double width = edgeWidth(edge->property("value").toDouble());
        const QPen pen = pens.get(m_penSlots[std::size_t(state.pen)].pen, quint64(penWidth(width)),
            [&](QPen& p) { p.setWidth(penWidth(width)); });
        state.pen = penSlot(pen);
        edge->setPen(pen);
        edge->setProperty("pen", m_penSlots[std::size_t(state.pen)].value);
        edge->setProperty("pen-width", width);
    }
    if (m_colorizeEdges)
        updateEdgeColors();
}

void CircularPlotWidget::hoveringLabel(bool state)
{
    const QObject* label = sender();
    if (!label)
        return;
    const int node = label->property("index").toInt();
    for (QSplineSeries* edge : qAsConst(m_edges)) {
        const bool filtered = edge->property("filtered-out").toBool();
        if (state) {
            if (!filtered && edge->property("emitting-from").toInt() != node
                && edge->property("emitting-to").toInt() != node)
                edge->setVisible(false);
        } else if (!filtered) {
            edge->setVisible(true);
        }
    }
    m_edgeLayer->visibilityChanged();
}

void CircularPlotWidget::highlightEdge(QPointF, bool state)
{
    auto* edge = qobject_cast<QSplineSeries*>(sender());
    if (!edge || !edge->isVisible())
        return;
    const double value = edge->property("value").toDouble();
    if (std::isnan(value))
        return;
    m_valueLabel->setText(QString::number(value, 'g', 6));
    if (m_nodes && edge->count() > 1)
        m_valueLabel->setPos(m_chart->mapToPosition(edge->at(1), m_nodes));

    if (state) {
        fadeEdges();
        if (!isTreeEdge(edge)) {
            QPen pen = m_highlightPen;
            pen.setWidth(penWidth(edge->property("pen-width").toDouble()));
            edge->setPen(pen);
        }
        m_valueLabel->show();
        m_edgeLayer->setHighlighted(edge, edge->property("pen").value<QPen>());
    } else {
        restoreEdges();
        edge->setPointLabelsVisible(false);
        m_valueLabel->hide();
        m_edgeLayer->clearHighlight();
    }
}

void CircularPlotWidget::resizeEvent(QResizeEvent* event)
{
    deleteLabels();
    createLabels(m_chart->size().toSize());
    QGraphicsView::resizeEvent(event);
}

void CircularPlotWidget::paintEvent(QPaintEvent* event)
{
    // Every paint redraws all the node dots, which antialiased cost more
    // than the edges' picture. Qt Charts makes the dots lazily and anew when
    // their size changes, so each paint makes sure they draw from a cache.
    if (m_nodes) {
        QList<QGraphicsItem*> pending = m_chart->childItems();
        while (!pending.isEmpty()) {
            QGraphicsItem* item = pending.takeLast();
            if (item->type() == QGraphicsEllipseItem::Type) {
                if (item->cacheMode() == QGraphicsItem::NoCache)
                    item->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
            } else if (item != m_edgeLayer && item->type() != MyGraphicsSimpleTextItem::Type) {
                pending.append(item->childItems());
            }
        }
    }
    QGraphicsView::paintEvent(event);
}

void CircularPlotWidget::wheelEvent(QWheelEvent* event)
{
    event->accept();
}
