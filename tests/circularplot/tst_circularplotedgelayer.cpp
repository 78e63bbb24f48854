#include "circularplot/edgelayer.h"

#include <QChartView>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QtTest>

using namespace QtCharts;

namespace {

const QColor kBlack(0, 0, 0, 30);

// The circular plot's chart (values 0 ... 640 on 640 x 640 pixels) with
// chords bowed towards (320, 330), drawn by Qt Charts or by an edge layer;
// with copyFirst the first edge is drawn again, on top.
struct Scene {
    Scene(const QVector<QPen>& pens, bool byQt, bool copyFirst = false)
    {
        chart->legend()->hide();
        chart->setBackgroundRoundness(0);
        chart->addSeries(nodes);
        for (int k = 0; k < pens.size() + int(copyFirst); ++k) {
            const double a = 0.37 + 1.3 * (k % pens.size());
            const double b = a + 2.4 + 0.2 * (k % pens.size());
            const QPointF from(320 + 213.33 * std::cos(a), 320 + 213.33 * std::sin(a));
            const QPointF to(320 + 213.33 * std::cos(b), 320 + 213.33 * std::sin(b));
            auto* edge = new QSplineSeries(byQt ? nullptr : &owner);
            edge->replace(QVector<QPointF>{from, ((from + to) / 2.0 + QPointF(320, 330)) / 2.0, to});
            edge->setPen(pens[k % pens.size()]);
            edges.append(edge);
            if (byQt)
                chart->addSeries(edge);
        }
        chart->createDefaultAxes();
        for (QAbstractAxis* axis : chart->axes())
            axis->setRange(0, 640), axis->hide();
        view.setFrameShape(QFrame::NoFrame);
        view.setRenderHint(QPainter::Antialiasing);
        view.resize(660, 660);
        view.show();
        chart->setPlotArea(QRectF(0, 0, 640, 640));
        if (!byQt) {
            layer = new EdgeLayer(chart);
            layer->setFadedColor(QColor(0, 0, 0, 10));
            layer->setReferenceSeries(nodes);
            layer->setEdges(edges);
        }
    }

    QImage picture()
    {
        QCoreApplication::processEvents();
        return view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QObject owner; // the layer's edges, deleted after the chart
    QChart* chart = new QChart;
    QChartView view{chart};
    QScatterSeries* nodes = new QScatterSeries;
    QVector<QSplineSeries*> edges;
    EdgeLayer* layer = nullptr;
};

} // namespace

class tst_CircularPlotEdgeLayer : public QObject {
    Q_OBJECT

private slots:
    void drawsWhatQtDraws_data();
    void drawsWhatQtDraws();
    void hitTestAndPictures();
};

void tst_CircularPlotEdgeLayer::drawsWhatQtDraws_data()
{
    QTest::addColumn<QVector<QPen>>("pens");
    QTest::addColumn<bool>("highlightLast");
    const QVector<QPen> black{QPen(kBlack, 0), QPen(kBlack, 1), QPen(kBlack, 2), QPen(kBlack, 5)};
    QTest::newRow("translucent black") << black << false;
    QTest::newRow("colour map") << QVector<QPen>{QPen(QColor(0, 0, 128), 1), QPen(QColor(128, 255, 128), 2),
        QPen(QColor(128, 0, 0), 4), QPen(QColor(255, 0, 0, 120), 0), QPen(kBlack, 3)} << false;
    QTest::newRow("faded, the last one highlighted") << black << true;
}

// The layer draws, pixel for pixel, what Qt Charts draws for the same series.
void tst_CircularPlotEdgeLayer::drawsWhatQtDraws()
{
    QFETCH(QVector<QPen>, pens);
    QFETCH(bool, highlightLast);
    Scene byLayer(pens, false);
    byLayer.picture();
    if (highlightLast) {
        // What the plot does on hover: every edge faded, the hovered one blue.
        for (QPen& p : pens)
            p.setColor(QColor(0, 0, 0, 10));
        byLayer.layer->setHighlighted(byLayer.edges.last(), pens.last());
        pens.last() = QPen(Qt::blue, pens.last().width());
        for (int i = 0; i < pens.size(); ++i)
            byLayer.edges[i]->setPen(pens[i]);
    }
    const QImage reference = Scene(pens, true).picture();
    const QImage drawn = byLayer.picture();
    int inked = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb p = reference.pixel(x, y), q = drawn.pixel(x, y);
            // The layer blends a cached picture: antialiased pixels may round differently.
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
            QVERIFY2(d <= 3, qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
            inked += p != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    QVERIFY(inked > 2000);
}

// The top-most visible edge is hit; a picture is kept per set of visible
// edges, and the faded one comes from the same pass as the normal one.
void tst_CircularPlotEdgeLayer::hitTestAndPictures()
{
    Scene scene({QPen(kBlack, 1), QPen(kBlack, 0), QPen(kBlack, 2)}, false, true);
    EdgeLayer* layer = scene.layer;
    const QImage normal = scene.picture();
    const int first = layer->renderCount();
    const QPointF onFirst = layer->curvePoint(0, 0.5);
    // Like Qt's spline, the curve passes its middle point without a kink.
    const QPointF before = layer->curvePoint(2, 0.999), after = layer->curvePoint(2, 1.001);
    QVERIFY(QLineF((before + after) / 2, layer->curvePoint(2, 1.0)).length() < 1e-4);
    // A hairline is hit within two pixels of its centre line.
    QCOMPARE(layer->edgeAt(layer->curvePoint(1, 1.3) + QPointF(1.5, 0)), scene.edges[1]);
    QVERIFY(!layer->edgeAt(layer->curvePoint(1, 1.3) + QPointF(6, 6)));
    for (bool visible : {false, true}) {
        scene.edges[3]->setVisible(visible);
        layer->visibilityChanged();
        QCOMPARE(layer->edgeAt(onFirst), scene.edges[visible ? 3 : 0]);
        QCOMPARE(scene.picture() == normal, visible);
        QCOMPARE(layer->renderCount(), first + 1);
    }
    scene.edges[1]->setPen(QPen(Qt::blue, 2));
    layer->setHighlighted(scene.edges[1], QPen(QColor(0, 0, 0, 10), 2));
    const QImage highlighted = scene.picture();
    QCOMPARE(layer->renderCount(), first + 1);
    // The pixel the first edge passes through is lighter when faded.
    const QPointF p = layer->mapToScene(onFirst);
    QVERIFY(highlighted.pixelColor(int(p.x()), int(p.y())).lightness() > normal.pixelColor(int(p.x()), int(p.y())).lightness());
    layer->refresh();
    scene.picture();
    QCOMPARE(layer->renderCount(), first + 2);
    scene.edges[0]->setVisible(false);
    scene.edges[3]->setVisible(false);
    QVERIFY(!layer->edgeAt(onFirst));
}

QTEST_MAIN(tst_CircularPlotEdgeLayer)
#include "tst_circularplotedgelayer.moc"
