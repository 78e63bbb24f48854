#include "circularplot/circularplotwidget.h"

#include "circularplot/colors.h"
#include "circularplot/edgelayer.h"
#include "circularplot/mygraphicssimpletextitem.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSplineSeries>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace QtCharts;

namespace {

constexpr double kTwoPi = 6.283185307179586;

QVariant positionData(const std::vector<int>& mst = {})
{
    QVariantHash hash;
    hash.insert(QStringLiteral("slice"), 0);
    hash.insert(QStringLiteral("mst"), QVariant::fromValue(mst));
    return hash;
}

// A symmetric matrix whose upper triangle, row by row, holds the values.
Eigen::MatrixXf symmetric(int n, const QVector<float>& upper)
{
    Eigen::MatrixXf m = Eigen::MatrixXf::Zero(n, n);
    int k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j, ++k) {
            m(i, j) = upper.value(k);
            m(j, i) = upper.value(k);
        }
    return m;
}

QStringList names(int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list.append(QStringLiteral("Region %1").arg(i));
    return list;
}

QSplineSeries* edgeBetween(const CircularPlotWidget& widget, int i, int j)
{
    for (QSplineSeries* edge : widget.edgeList())
        if (edge->property("emitting-to").toInt() == i && edge->property("emitting-from").toInt() == j)
            return edge;
    return nullptr;
}

QSet<QSplineSeries*> visibleEdges(const CircularPlotWidget& widget)
{
    QSet<QSplineSeries*> visible;
    for (QSplineSeries* edge : widget.edgeList())
        if (edge->isVisible())
            visible.insert(edge);
    return visible;
}

// A viewport pixel where the layer hit-tests this edge and no other.
QPoint pointOn(const CircularPlotWidget& widget, QSplineSeries* edge)
{
    EdgeLayer* layer = widget.edgeLayer();
    const int index = widget.edgeList().indexOf(edge);
    for (double t : {0.3, 0.5, 0.7, 1.3, 1.5, 1.7, 0.15, 1.85}) {
        const QPoint pixel = widget.mapFromScene(layer->mapToScene(layer->curvePoint(index, t)));
        const QPointF back = layer->mapFromScene(widget.mapToScene(pixel)) + QPointF(0.5, 0.5);
        if (layer->edgeAt(back) == edge)
            return pixel;
    }
    return {};
}

QPoint pointOn(const CircularPlotWidget& widget, const MyGraphicsSimpleTextItem* label)
{
    return widget.mapFromScene(label->mapToScene(label->boundingRect().center()));
}

const MyGraphicsSimpleTextItem* labelOf(const CircularPlotWidget& widget, int node)
{
    for (const MyGraphicsSimpleTextItem* label : widget.labelItems())
        if (label->property("index").toInt() == node)
            return label;
    return nullptr;
}

QColor penColor(QSplineSeries* edge)
{
    return edge->pen().color();
}

QStringList g_warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings.append(message);
}

} // namespace

class tst_CircularPlotWidget : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void geometry_data();
    void geometry();
    void labelsBesideTheirDots_data();
    void labelsBesideTheirDots();

    void edgesFromTheUpperTriangle();
    void badWeightsNeitherCrashNorWarn();

    void displayRangeBounds_data();
    void displayRangeBounds();
    void labelHoverNeverShowsFilteredEdges();
    void edgeHoverHighlightsAndRestores();
    void treeEdgeKeepsItsPen();
    void colouringSurvivesThicknessAndPosition();
    void newPositionShowsAllEdges();
    void triggerShowsOnlyItsCaption();
    void wheelNeitherScrollsNorZooms();

private:
    void show(const Eigen::MatrixXf& matrix, const std::vector<int>& mst = {});
    void moveTo(const QPoint& point);

    CircularPlotWidget* m_widget = nullptr;
};

void tst_CircularPlotWidget::init()
{
    m_widget = new CircularPlotWidget;
    m_widget->resize(700, 700);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
    // Qt drops a move to where the mouse already is: start each test from
    // a corner it has just moved to.
    moveTo(QPoint(2, 2));
    moveTo(QPoint(1, 1));
}

void tst_CircularPlotWidget::cleanup()
{
    delete m_widget;
    m_widget = nullptr;
}

void tst_CircularPlotWidget::show(const Eigen::MatrixXf& matrix, const std::vector<int>& mst)
{
    m_widget->setNodeNames(names(int(matrix.rows())));
    m_widget->plot(matrix, 1, positionData(mst));
    QCoreApplication::processEvents();
}

void tst_CircularPlotWidget::moveTo(const QPoint& point)
{
    QTest::mouseMove(m_widget->viewport(), point);
    QCoreApplication::processEvents();
}

void tst_CircularPlotWidget::geometry_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QVector<double>>("degrees");
    QTest::addColumn<QVector<int>>("labelNodes");

    QTest::newRow("one node at 2 pi") << 1 << QVector<double>{360.0} << QVector<int>{0};
    QTest::newRow("four nodes") << 4 << QVector<double>{90.0, 180.0, 270.0, 360.0} << QVector<int>{2, 1, 0, 3};
    QVector<double> last(116);
    for (int k = 0; k < 116; ++k)
        last[k] = 360.0 * (k + 1) / 116.0;
    QVector<int> mirrored;
    for (int k = 0; k < 116; ++k)
        mirrored.append(k < 115 ? 114 - k : 115);
    QTest::newRow("116 nodes, not integer division") << 116 << last << mirrored;
}

void tst_CircularPlotWidget::geometry()
{
    QFETCH(int, n);
    QFETCH(QVector<double>, degrees);
    QFETCH(QVector<int>, labelNodes);
    show(Eigen::MatrixXf::Zero(n, n));

    const QVector<double>& angles = m_widget->nodeAngles();
    QCOMPARE(angles.size(), n);
    for (int k = 0; k < n; ++k)
        QVERIFY2(std::abs(angles[k] - degrees[k] * kTwoPi / 360.0) < 2e-5, qPrintable(QString::number(k)));
    QVERIFY(std::abs(angles.last() - kTwoPi) < 2e-5);
    const QPointF last = m_widget->nodePositions().last();
    QVERIFY(std::abs(last.x() - 533.3333) < 1e-3 && std::abs(last.y() - 320.0) < 1e-3);

    QCOMPARE(m_widget->labelItems().size(), n);
    for (int k = 0; k < n; ++k) {
        QCOMPARE(m_widget->labelItems()[k]->property("index").toInt(), labelNodes[k]);
        QCOMPARE(m_widget->labelItems()[k]->toPlainText(), QStringLiteral("Region %1").arg(labelNodes[k]));
    }
    QCOMPARE(m_widget->nodesSeries()->count(), n);
    QVERIFY(m_widget->edgeList().isEmpty());
}

void tst_CircularPlotWidget::labelsBesideTheirDots_data()
{
    QTest::addColumn<int>("n");
    for (int n : {1, 4, 7, 90, 116})
        QTest::addRow("%d nodes", n) << n;
}

// Each label starts on the line from the chart's centre through its own dot,
// 75 pixels beyond the dot on the right and 120 on the left.
void tst_CircularPlotWidget::labelsBesideTheirDots()
{
    QFETCH(int, n);
    show(Eigen::MatrixXf::Zero(n, n));
    QChart* chart = m_widget->chart();
    QCOMPARE(chart->plotArea(), QRectF(0, 0, 640, 640));
    for (const MyGraphicsSimpleTextItem* label : m_widget->labelItems()) {
        const int node = label->property("index").toInt();
        const QPointF value = m_widget->nodePositions()[node];
        const QPointF dot = chart->mapToPosition(value, m_widget->nodesSeries());
        QVERIFY(std::abs(dot.x() - value.x()) < 1e-9 && std::abs(dot.y() - (640 - value.y())) < 1e-9);

        const QPointF outward = dot - QPointF(330, 330);
        const QPointF unit = outward / std::hypot(outward.x(), outward.y());
        const double distance = unit.x() > 0 ? 75.0 : 120.0;
        const QPointF expected = dot + unit * distance;
        QVERIFY2(QLineF(expected, label->pos()).length() < 0.01,
            qPrintable(QStringLiteral("node %1: label at (%2, %3), expected (%4, %5)")
                           .arg(node)
                           .arg(label->pos().x())
                           .arg(label->pos().y())
                           .arg(expected.x())
                           .arg(expected.y())));
    }
}

void tst_CircularPlotWidget::edgesFromTheUpperTriangle()
{
    Eigen::MatrixXf m = Eigen::MatrixXf::Zero(4, 4);
    m(0, 1) = 0.35f;
    m(1, 0) = 0.9f; // below the diagonal: never read
    m(2, 0) = 0.5f;
    m(1, 2) = 0.2f;
    m(0, 3) = 0.8f;
    m(2, 3) = 0.35f;
    show(m);

    const QList<QSplineSeries*>& edges = m_widget->edgeList();
    QCOMPARE(edges.size(), 4);
    QCOMPARE(m_widget->edgesByIndex().size(), 4);
    // Created (0,1), (0,3), (1,2), (2,3); drawn weakest first, equal values by index.
    QCOMPARE(edges[0], edgeBetween(*m_widget, 1, 2));
    QCOMPARE(edges[1], edgeBetween(*m_widget, 0, 1));
    QCOMPARE(edges[2], edgeBetween(*m_widget, 2, 3));
    QCOMPARE(edges[3], edgeBetween(*m_widget, 0, 3));
    QCOMPARE(edges[2]->property("index").toInt(), 3);
    QVERIFY(!edgeBetween(*m_widget, 0, 2));

    QSplineSeries* edge = edgeBetween(*m_widget, 0, 1);
    QCOMPARE(edge->property("value").toDouble(), double(0.35f));
    QCOMPARE(edge->property("pen-width").toDouble(), 5.0 * double(0.35f));
    QCOMPARE(edge->pen().width(), 1);
    QCOMPARE(edgeBetween(*m_widget, 1, 2)->pen().width(), 1);
    QCOMPARE(edge->pen().color(), QColor(0, 0, 0, 30));
    QCOMPARE(edge->property("pen").value<QPen>(), edge->pen());
    QCOMPARE(edge->property("original-pen").value<QPen>(), edge->pen());
    QCOMPARE(edge->property("fadein-pen").value<QPen>(), edge->pen());
    QCOMPARE(edge->property("cmap-color").value<QColor>(), jetColor(double(0.35f)));
    QCOMPARE(edge->property("default-color").value<QColor>(), QColor(0, 0, 0, 30));
    QCOMPARE(edge->property("index").toInt(), 0);
    QCOMPARE(edge->property("emitting-from").toInt(), 1);
    QCOMPARE(edge->property("emitting-to").toInt(), 0);
    QVERIFY(!edge->property("mst_sig").isValid());

    // From node j through the point halfway to (320, 330) to node i.
    const QPointF pj = m_widget->nodePositions()[1];
    const QPointF pi = m_widget->nodePositions()[0];
    QCOMPARE(edge->count(), 3);
    QCOMPARE(edge->at(0), pj);
    QCOMPARE(edge->at(1), QPointF(((pj.x() + pi.x()) / 2 + 320) / 2, ((pj.y() + pi.y()) / 2 + 330) / 2));
    QCOMPARE(edge->at(2), pi);
}

void tst_CircularPlotWidget::badWeightsNeitherCrashNorWarn()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    show(symmetric(5, {nan, -0.8f, 1e30f, inf, -inf, 0.4f, nan, 0.6f, -1e-30f, 0.3f}));
    m_widget->toggleColorizeEdges(true);
    m_widget->setThicknessMultiplier(1e9);
    for (QSplineSeries* edge : m_widget->edgeList()) {
        const QPoint point = pointOn(*m_widget, edge);
        if (!point.isNull())
            moveTo(point);
    }
    moveTo(QPoint(1, 1));
    m_widget->filterDisplayRange(-1.0, 1.0);
    m_widget->grab();
    qInstallMessageHandler(previous);

    QCOMPARE(m_widget->edgeList().size(), 10);
    // NaN weights are drawn last, after every number.
    QVERIFY(std::isnan(m_widget->edgeList().last()->property("value").toDouble()));
    for (QSplineSeries* edge : m_widget->edgeList())
        QVERIFY(edge->pen().width() >= 0 && edge->pen().width() <= 100);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

void tst_CircularPlotWidget::displayRangeBounds_data()
{
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<float>("weight");
    QTest::addColumn<bool>("visible");
    QTest::newRow("value on the lower bound is hidden") << 0.25 << 0.75 << 0.25f << false;
    QTest::newRow("value on the upper bound is hidden") << 0.25 << 0.75 << 0.75f << false;
    QTest::newRow("value inside is shown") << 0.25 << 0.75 << 0.5f << true;
    // 0.3f widens to 0.30000001192..., which lies above the bound 0.3.
    QTest::newRow("0.3 widened passes the lower bound 0.3") << 0.3 << 0.75 << 0.3f << true;
    QTest::newRow("0.3 widened fails the upper bound 0.3") << 0.1 << 0.3 << 0.3f << false;
}

void tst_CircularPlotWidget::displayRangeBounds()
{
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(float, weight);
    QFETCH(bool, visible);
    show(symmetric(3, {weight, 0.0f, 0.0f}));
    QSplineSeries* edge = m_widget->edgeList().value(0);
    QVERIFY(edge);
    const QPoint point = pointOn(*m_widget, edge);
    QVERIFY(!point.isNull());

    m_widget->filterDisplayRange(lower, upper);
    QCOMPARE(edge->isVisible(), visible);
    QCOMPARE(edge->property("filtered-out").toBool(), !visible);

    // A hidden edge never hovers.
    moveTo(point);
    QCOMPARE(m_widget->valueLabel()->isVisible(), visible);
    QCOMPARE(penColor(edge) == QColor(Qt::blue), visible);
}

void tst_CircularPlotWidget::labelHoverNeverShowsFilteredEdges()
{
    show(symmetric(5, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 0.95f}));
    m_widget->filterDisplayRange(0.25, 0.85);
    const QSet<QSplineSeries*> unfiltered = visibleEdges(*m_widget);
    QCOMPARE(unfiltered.size(), 6);

    const MyGraphicsSimpleTextItem* label = labelOf(*m_widget, 0);
    QVERIFY(label);
    moveTo(pointOn(*m_widget, label));
    const QSet<QSplineSeries*> shown = visibleEdges(*m_widget);
    QVERIFY(!shown.isEmpty());
    for (QSplineSeries* edge : shown) {
        QVERIFY(unfiltered.contains(edge));
        QVERIFY(edge->property("emitting-from").toInt() == 0 || edge->property("emitting-to").toInt() == 0);
    }
    QCOMPARE(shown.size(), 2); // (0,3) 0.3 and (0,4) 0.4; (0,1) and (0,2) are filtered out

    moveTo(QPoint(1, 1));
    QCOMPARE(visibleEdges(*m_widget), unfiltered);
}

void tst_CircularPlotWidget::edgeHoverHighlightsAndRestores()
{
    show(symmetric(4, {0.9f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f}));
    QSplineSeries* target = edgeBetween(*m_widget, 0, 1);
    QVector<QPen> before;
    for (QSplineSeries* edge : m_widget->edgeList())
        before.append(edge->pen());

    moveTo(pointOn(*m_widget, target));
    QVERIFY(m_widget->valueLabel()->isVisible());
    QCOMPARE(m_widget->valueLabel()->text(), QStringLiteral("0.9"));
    QCOMPARE(m_widget->valueLabel()->pos(), m_widget->chart()->mapToPosition(target->at(1), m_widget->nodesSeries()));
    QCOMPARE(target->pen().color(), QColor(Qt::blue));
    QCOMPARE(target->pen().width(), 4); // 4.5 truncated
    for (QSplineSeries* edge : m_widget->edgeList()) {
        if (edge == target)
            continue;
        QCOMPARE(edge->pen().color(), QColor(0, 0, 0, 10));
        QCOMPARE(edge->property("fadein-pen").value<QPen>().color(), QColor(0, 0, 0, 30));
    }

    moveTo(QPoint(1, 1));
    QVERIFY(!m_widget->valueLabel()->isVisible());
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(m_widget->edgeList()[i]->pen(), before[i]);
}

void tst_CircularPlotWidget::treeEdgeKeepsItsPen()
{
    // Tree flags column by column: entry c * 4 + r marks row r, column c.
    std::vector<int> mst(16, 0);
    mst[2 * 4 + 0] = 1; // edge (0, 2)
    show(symmetric(4, {0.9f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f}), mst);
    QSplineSeries* tree = edgeBetween(*m_widget, 0, 2);
    QVERIFY(tree->property("mst_sig").toBool());
    QCOMPARE(tree->pen().color(), QColor(Qt::red));

    moveTo(pointOn(*m_widget, edgeBetween(*m_widget, 0, 1)));
    QCOMPARE(edgeBetween(*m_widget, 1, 3)->pen().color(), QColor(0, 0, 0, 10));
    QCOMPARE(tree->pen().color(), QColor(Qt::red));
    moveTo(QPoint(1, 1));

    moveTo(pointOn(*m_widget, tree));
    QVERIFY(m_widget->valueLabel()->isVisible());
    QCOMPARE(tree->pen().color(), QColor(Qt::red));
    QCOMPARE(edgeBetween(*m_widget, 1, 3)->pen().color(), QColor(0, 0, 0, 10));
    moveTo(QPoint(1, 1));
    QCOMPARE(edgeBetween(*m_widget, 1, 3)->pen().color(), QColor(0, 0, 0, 30));

    // A list shorter than n x n marks nothing beyond it.
    show(symmetric(4, {0.9f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f}), {0, 0, 0, 1});
    for (QSplineSeries* edge : m_widget->edgeList())
        QVERIFY(!edge->property("mst_sig").toBool());
}

void tst_CircularPlotWidget::colouringSurvivesThicknessAndPosition()
{
    const Eigen::MatrixXf matrix = symmetric(4, {0.9f, -0.5f, 0.3f, 0.7f, 0.2f, 0.6f});
    show(matrix);
    m_widget->toggleColorizeEdges(true);
    auto expectColourMap = [this](int width) {
        for (QSplineSeries* edge : m_widget->edgeList()) {
            QCOMPARE(edge->pen().color(), edge->property("cmap-color").value<QColor>());
            QCOMPARE(edge->property("pen").value<QPen>().color(), QColor(0, 0, 0, 30));
            if (width >= 0)
                QCOMPARE(edge->pen().width(), width);
        }
    };
    expectColourMap(-1);
    m_widget->toggleUseWeights(false);
    m_widget->setFixedThickness(3.0);
    expectColourMap(3);

    QSplineSeries* target = edgeBetween(*m_widget, 0, 1);
    moveTo(pointOn(*m_widget, target));
    QCOMPARE(target->pen().color(), QColor(Qt::blue));
    // Fading keeps the pen of the current thickness, not the plotted one.
    for (QSplineSeries* edge : m_widget->edgeList())
        if (edge != target)
            QCOMPARE(edge->property("fadein-pen").value<QPen>().width(), 3);
    moveTo(QPoint(1, 1));
    expectColourMap(3);

    show(matrix);
    expectColourMap(3);
    m_widget->toggleColorizeEdges(false);
    for (QSplineSeries* edge : m_widget->edgeList())
        QCOMPARE(edge->pen().color(), QColor(0, 0, 0, 30));
}

void tst_CircularPlotWidget::newPositionShowsAllEdges()
{
    const Eigen::MatrixXf matrix = symmetric(4, {0.9f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f});
    show(matrix);
    m_widget->filterDisplayRange(0.4, 0.8);
    QCOMPARE(visibleEdges(*m_widget).size(), 3);
    show(matrix);
    QCOMPARE(visibleEdges(*m_widget).size(), 6);
    m_widget->filterDisplayRange(0.4, 0.8);
    QCOMPARE(visibleEdges(*m_widget).size(), 3);
}

void tst_CircularPlotWidget::triggerShowsOnlyItsCaption()
{
    show(symmetric(4, {0.9f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f}));
    QVariantHash hash;
    hash.insert(QStringLiteral("slice"), 2);
    hash.insert(QStringLiteral("condition_str"), QStringLiteral("Cue"));
    hash.insert(QStringLiteral("condition_type"), 2);
    m_widget->plot(Eigen::MatrixXf(), 2, hash);

    QGraphicsSimpleTextItem* caption = m_widget->triggerCaption();
    QVERIFY(caption && caption->isVisible());
    QCOMPARE(caption->text(), QStringLiteral("Trigger \"Cue\""));
    QCOMPARE(caption->pos(), QPointF(330, 330));
    QVERIFY(m_widget->labelItems().isEmpty());
    QVERIFY(m_widget->edgeList().isEmpty());
    QVERIFY(m_widget->chart()->series().isEmpty());
    // A resize makes no labels for a trigger.
    m_widget->resize(720, 720);
    QCoreApplication::processEvents();
    QVERIFY(m_widget->labelItems().isEmpty());

    show(symmetric(3, {0.5f, 0.5f, 0.5f}));
    QVERIFY(!caption->isVisible());
    QCOMPARE(m_widget->labelItems().size(), 3);
}

void tst_CircularPlotWidget::wheelNeitherScrollsNorZooms()
{
    show(symmetric(4, {0.9f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f}));
    m_widget->resize(300, 300);
    QCoreApplication::processEvents();
    const QTransform transform = m_widget->transform();
    const int horizontal = m_widget->horizontalScrollBar()->value();
    const int vertical = m_widget->verticalScrollBar()->value();
    const QPointF centre = m_widget->mapToScene(m_widget->viewport()->rect().center());
    for (Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier}) {
        QWheelEvent wheel(QPointF(150, 150), m_widget->viewport()->mapToGlobal(QPoint(150, 150)), QPoint(0, -120),
            QPoint(0, -120), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_widget->viewport(), &wheel);
    }
    QCOMPARE(m_widget->transform(), transform);
    QCOMPARE(m_widget->horizontalScrollBar()->value(), horizontal);
    QCOMPARE(m_widget->verticalScrollBar()->value(), vertical);
    QCOMPARE(m_widget->mapToScene(m_widget->viewport()->rect().center()), centre);
}

QTEST_MAIN(tst_CircularPlotWidget)
#include "tst_circularplotwidget.moc"
