#include "circularplot/circularplotwidget.h"

#include "circularplot/colors.h"
#include "circularplot/edgelayer.h"
#include "circularplot/mygraphicssimpletextitem.h"

#include <QChart>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QtTest>

#include <limits>

using namespace QtCharts;

namespace {

const QColor kPlain(0, 0, 0, 30);

// A symmetric matrix whose upper triangle, row by row, holds the values.
Eigen::MatrixXf symmetric(int n, const QVector<float>& upper)
{
    Eigen::MatrixXf m = Eigen::MatrixXf::Zero(n, n);
    for (int i = 0, k = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j, ++k)
            m(i, j) = m(j, i) = upper.value(k);
    return m;
}

QSplineSeries* edgeBetween(const CircularPlotWidget& widget, int i, int j)
{
    for (QSplineSeries* edge : widget.edgeList())
        if (edge->property("emitting-to").toInt() == i && edge->property("emitting-from").toInt() == j)
            return edge;
    return nullptr;
}

// '1' for each visible edge, '0' for each hidden one, in drawing order.
QString shown(const CircularPlotWidget& widget)
{
    QString bits;
    for (QSplineSeries* edge : widget.edgeList())
        bits += edge->isVisible() ? '1' : '0';
    return bits;
}

} // namespace

class tst_CircularPlotWidget : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_widget; }
    void geometry();
    void edgesInDrawingOrder();
    void displayRangeAndLabelHover();
    void edgeHoverFadesAndRestores();

private:
    void show(const Eigen::MatrixXf& matrix, const std::vector<int>& mst = {})
    {
        QStringList names;
        for (int i = 0; i < matrix.rows(); ++i)
            names.append(QStringLiteral("Region %1").arg(i));
        m_widget->setNodeNames(names);
        m_widget->plot(matrix, 1, QVariantHash{{"slice", 0}, {"mst", QVariant::fromValue(mst)}});
        QCoreApplication::processEvents();
    }
    void moveTo(const QPoint& point) { QTest::mouseMove(m_widget->viewport(), point); QCoreApplication::processEvents(); }
    // Onto a pixel where the layer hit-tests this edge and no other.
    void moveOnto(QSplineSeries* edge)
    {
        EdgeLayer* layer = m_widget->edgeLayer();
        for (double t : {0.5, 0.3, 0.7, 1.3, 1.5, 1.7}) {
            const QPoint pixel = m_widget->mapFromScene(layer->mapToScene(layer->curvePoint(m_widget->edgeList().indexOf(edge), t)));
            if (layer->edgeAt(layer->mapFromScene(m_widget->mapToScene(pixel)) + QPointF(0.5, 0.5)) == edge)
                return moveTo(pixel);
        }
    }

    CircularPlotWidget* m_widget = nullptr;
};

void tst_CircularPlotWidget::init()
{
    m_widget = new CircularPlotWidget;
    m_widget->resize(700, 700);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}


// The label at slot k names node n - k - 2 (the last slot its own) and starts
// beyond that node's dot, 75 pixels on the right and 120 on the left.
void tst_CircularPlotWidget::geometry()
{
    for (int n : {1, 4, 116}) {
        show(Eigen::MatrixXf::Zero(n, n));
        QCOMPARE(m_widget->labelItems().size(), n);
        for (int k = 0; k < n; ++k) {
            QVERIFY(std::abs(m_widget->nodeAngles()[k] - 2 * M_PI * (k + 1) / n) < 2e-5);
            const MyGraphicsSimpleTextItem* label = m_widget->labelItems()[k];
            const int node = k < n - 1 ? n - k - 2 : n - 1;
            QCOMPARE(label->toPlainText(), QStringLiteral("Region %1").arg(node));
            const QPointF dot = m_widget->chart()->mapToPosition(m_widget->nodePositions()[node], m_widget->nodesSeries());
            const QPointF unit = (dot - QPointF(330, 330)) / QLineF(dot, QPointF(330, 330)).length();
            QVERIFY2(QLineF(dot + unit * (unit.x() > 0 ? 75.0 : 120.0), label->pos()).length() < 0.01, qPrintable(label->toPlainText()));
        }
    }
}

// Upper triangle only; weakest first, NaN last, equal values by index.
void tst_CircularPlotWidget::edgesInDrawingOrder()
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Eigen::MatrixXf m = symmetric(6, {0.35f, nan, 0.8f, 0, 0, 0.2f, 0, 0, inf, 0.35f, 0, -inf, 0, 1e30f, 0});
    m(1, 0) = 0.9f;
    show(m);
    const QList<QSplineSeries*> edges = m_widget->edgeList();
    const QVector<QPair<int, int>> order{{2, 5}, {1, 2}, {0, 1}, {2, 3}, {0, 3}, {3, 5}, {1, 5}, {0, 2}};
    QCOMPARE(edges.size(), order.size());
    for (int k = 0; k < order.size(); ++k)
        QCOMPARE(edges[k], edgeBetween(*m_widget, order[k].first, order[k].second));
    QCOMPARE(m_widget->edgesByIndex().value(4), edges[6]);
    QSplineSeries* edge = edges[2];
    const QVariant pen = QVariant::fromValue(QPen(kPlain, 1));
    for (auto [name, value] : {std::pair{"value", QVariant(double(0.35f))}, {"index", 0}, {"pen", pen}, {"original-pen", pen},
             {"fadein-pen", pen}, {"cmap-color", jetColor(double(0.35f))}, {"default-color", kPlain}})
        QCOMPARE(edge->property(name), value);
    QCOMPARE(edge->pen(), QPen(kPlain, 1));
    // From node j through the point halfway to (320, 330) to node i.
    const QPointF j = m_widget->nodePositions()[1];
    const QPointF i = m_widget->nodePositions()[0];
    QCOMPARE(edge->points(), (QList<QPointF>{j, ((j + i) / 2 + QPointF(320, 330)) / 2, i}));
    m_widget->setThicknessMultiplier(1e9);
    for (QSplineSeries* e : edges)
        QVERIFY(e->pen().width() >= 0 && e->pen().width() <= 100);
    m_widget->grab();
}

// The range is open (0.1f and 0.3f widen to just above 0.1 and 0.3); a label
// hovered shows only its node's edges, never one filtered out.
void tst_CircularPlotWidget::displayRangeAndLabelHover()
{
    const Eigen::MatrixXf matrix = symmetric(5, {0.1f, 0.25f, 0.3f, 0.4f, 0.5f, 0.6f, 0.75f, 0.8f, 0.9f, 0.95f});
    show(matrix);
    m_widget->filterDisplayRange(0.25, 0.75);
    QCOMPARE(shown(*m_widget), QStringLiteral("0011110000"));
    const MyGraphicsSimpleTextItem* label = m_widget->labelItems()[3]; // node 0 of 5
    moveTo(m_widget->mapFromScene(label->mapToScene(label->boundingRect().center())));
    QCOMPARE(shown(*m_widget), QStringLiteral("0011000000"));
    moveTo(QPoint(1, 1));
    QCOMPARE(shown(*m_widget), QStringLiteral("0011110000"));
    m_widget->filterDisplayRange(0.3, 1.0);
    QCOMPARE(shown(*m_widget), QStringLiteral("0011111111"));
    m_widget->filterDisplayRange(0.1, 0.3);
    QCOMPARE(shown(*m_widget), QStringLiteral("1100000000"));
    show(matrix);
    QCOMPARE(shown(*m_widget), QStringLiteral("1111111111"));
}

// The others fade from, and return to, the pens of the current thickness and
// colours; tree edges stay red.
void tst_CircularPlotWidget::edgeHoverFadesAndRestores()
{
    std::vector<int> mst(16, 0);
    mst[2 * 4 + 0] = 1; // column by column: row 0, column 2 is edge (0, 2)
    const Eigen::MatrixXf matrix = symmetric(4, {0.8765432f, 0.5f, 0.3f, 0.7f, 0.2f, 0.6f});
    show(matrix, mst);
    QSplineSeries* tree = edgeBetween(*m_widget, 0, 2);
    QSplineSeries* target = edgeBetween(*m_widget, 0, 1);
    QSplineSeries* other = edgeBetween(*m_widget, 1, 3);
    QVERIFY(tree->property("mst_sig").toBool());
    m_widget->toggleColorizeEdges(true);
    m_widget->toggleUseWeights(false);
    m_widget->setFixedThickness(3.0);
    auto expectColourMap = [this](QSplineSeries* tree) {
        for (QSplineSeries* edge : m_widget->edgeList())
            QCOMPARE(edge->pen(), edge == tree ? QPen(Qt::red, 3) : QPen(edge->property("cmap-color").value<QColor>(), 3));
    };
    for (QSplineSeries* hovered : {target, tree}) {
        moveOnto(hovered);
        QVERIFY(m_widget->valueLabel()->isVisible());
        QCOMPARE(m_widget->valueLabel()->text(), hovered == tree ? "0.5" : "0.876543");
        QCOMPARE(m_widget->valueLabel()->pos(), m_widget->chart()->mapToPosition(hovered->at(1), m_widget->nodesSeries()));
        QCOMPARE(target->pen(), hovered == target ? QPen(Qt::blue, 3) : QPen(QColor(0, 0, 0, 10), 3));
        QCOMPARE(tree->pen(), QPen(Qt::red, 3));
        QCOMPARE(other->property("fadein-pen").value<QPen>(), QPen(kPlain, 3));
        moveTo(QPoint(1, 1));
        QVERIFY(!m_widget->valueLabel()->isVisible());
        expectColourMap(tree);
    }
    show(matrix, {0, 0, 0, 1}); // a list shorter than n x n marks nothing beyond it
    expectColourMap(nullptr);
    show(matrix, std::vector<int>(mst.begin(), mst.end() - 1)); // but keeps the n x n layout
    QVERIFY(edgeBetween(*m_widget, 0, 2)->property("mst_sig").toBool());
    show(Eigen::MatrixXf::Ones(3, 2)); // not square: its square part
    QCOMPARE(m_widget->edgeList().size(), 1);
}

QTEST_MAIN(tst_CircularPlotWidget)
#include "tst_circularplotwidget.moc"
