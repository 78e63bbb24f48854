#include "circularplot/edgelayer.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsView>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QValueAxis>
#include <QtTest>

#include <memory>

using namespace QtCharts;

namespace {

struct SampleEdge {
    QPointF from;
    QPointF control;
    QPointF to;
    QPen pen;
};

// A chart laid out like the circular plot's: values 0 ... 640 on a plot area
// of 640 x 640 pixels, no axes drawn. Edges are either added to the chart,
// so that Qt Charts draws them, or handed to an edge layer.
class Scene {
public:
    Scene(const QVector<SampleEdge>& samples, bool drawnByQt)
        : chart(new QChart)
        , nodes(new QScatterSeries)
    {
        chart->legend()->hide();
        chart->layout()->setContentsMargins(0, 0, 0, 0);
        chart->setMargins(QMargins(0, 0, 0, 0));
        chart->setBackgroundRoundness(0);
        chart->resize(660, 660);
        scene.addItem(chart);
        scene.setSceneRect(0, 0, 660, 660);
        view.setScene(&scene);
        view.setRenderHint(QPainter::Antialiasing);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setFrameShape(QFrame::NoFrame);
        view.resize(660, 660);

        chart->addSeries(nodes);
        auto* x = new QValueAxis;
        auto* y = new QValueAxis;
        for (QValueAxis* axis : {x, y}) {
            axis->setRange(0, 640);
            axis->setVisible(false);
        }
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        nodes->attachAxis(x);
        nodes->attachAxis(y);
        chart->setPlotArea(QRectF(0, 0, 640, 640));

        for (const SampleEdge& sample : samples) {
            auto* edge = new QSplineSeries;
            edge->replace(QVector<QPointF>{sample.from, sample.control, sample.to});
            edge->setPen(sample.pen);
            edges.append(edge);
            if (drawnByQt) {
                chart->addSeries(edge);
                edge->attachAxis(x);
                edge->attachAxis(y);
            }
        }
        if (!drawnByQt) {
            layer = new EdgeLayer(chart);
            layer->setFadedColor(QColor(0, 0, 0, 10));
            layer->setReferenceSeries(nodes);
            layer->setEdges(edges);
            owned.reset(new QObject);
            for (QSplineSeries* edge : qAsConst(edges))
                edge->setParent(owned.get());
        }
        view.show();
    }

    QImage picture()
    {
        QCoreApplication::processEvents();
        return view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QGraphicsScene scene;
    QGraphicsView view;
    QChart* chart;
    QScatterSeries* nodes;
    QVector<QSplineSeries*> edges;
    EdgeLayer* layer = nullptr;
    std::unique_ptr<QObject> owned;
};

// Spokes and chords of the plot's circle, bowed towards (320, 330).
QVector<SampleEdge> sampleEdges(const QVector<QPen>& pens)
{
    QVector<SampleEdge> samples;
    for (int k = 0; k < pens.size(); ++k) {
        const double a = 0.37 + 1.3 * k;
        const double b = a + 2.4 + 0.2 * k;
        const QPointF from(320 + 213.33 * std::cos(a), 320 + 213.33 * std::sin(a));
        const QPointF to(320 + 213.33 * std::cos(b), 320 + 213.33 * std::sin(b));
        const QPointF middle = (from + to) / 2.0;
        samples.append({from, QPointF((middle.x() + 320) / 2, (middle.y() + 330) / 2), to, pens[k]});
    }
    return samples;
}

QPen pen(const QColor& color, int width)
{
    return QPen(QBrush(color), width, Qt::SolidLine);
}

struct Difference {
    int largest = 0;
    int pixels = 0;
};

Difference compare(const QImage& a, const QImage& b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int channel = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                std::abs(qBlue(p) - qBlue(q))});
            d.largest = std::max(d.largest, channel);
            d.pixels += channel > 0 ? 1 : 0;
        }
    }
    return d;
}

// Pixels that are not the white background.
int inked(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    return count;
}

} // namespace

class tst_CircularPlotEdgeLayer : public QObject {
    Q_OBJECT

private slots:
    void drawsWhatQtDraws_data();
    void drawsWhatQtDraws();
    void fadedPictureWithHighlightOnTop();
    void topMostVisibleEdgeIsHit();
    void picturesAreReusedForAnEarlierSetOfVisibleEdges();
};

void tst_CircularPlotEdgeLayer::drawsWhatQtDraws_data()
{
    QTest::addColumn<QVector<QPen>>("pens");
    const QColor translucent(0, 0, 0, 30);
    QTest::newRow("translucent black, widths 0 to 5")
        << QVector<QPen>{pen(translucent, 0), pen(translucent, 1), pen(translucent, 2), pen(translucent, 3),
               pen(translucent, 5), pen(translucent, 1)};
    QTest::newRow("colour-map colours")
        << QVector<QPen>{pen(QColor(0, 0, 128), 1), pen(QColor(128, 255, 128), 2), pen(QColor(128, 0, 0), 4),
               pen(QColor(255, 0, 0, 120), 0), pen(translucent, 3)};
}

void tst_CircularPlotEdgeLayer::drawsWhatQtDraws()
{
    QFETCH(QVector<QPen>, pens);
    Scene byQt(sampleEdges(pens), true);
    Scene byLayer(sampleEdges(pens), false);
    const QImage reference = byQt.picture();
    QVERIFY(inked(reference) > 2000);
    const Difference d = compare(reference, byLayer.picture());
    // Qt draws each edge straight onto the view; the layer blends a cached
    // picture, which rounds differently in a few antialiased pixels.
    QVERIFY2(d.largest <= 3, qPrintable(QStringLiteral("largest difference %1").arg(d.largest)));
    QVERIFY2(d.pixels < 2000, qPrintable(QStringLiteral("%1 pixels differ").arg(d.pixels)));
    QVERIFY(byLayer.layer->renderCount() >= 1);
}

void tst_CircularPlotEdgeLayer::fadedPictureWithHighlightOnTop()
{
    const QColor translucent(0, 0, 0, 30);
    const QVector<QPen> pens{pen(translucent, 1), pen(translucent, 2), pen(translucent, 0), pen(translucent, 3)};
    Scene byLayer(sampleEdges(pens), false);
    byLayer.picture();
    const int rendered = byLayer.layer->renderCount();

    // What the plot does on hover: every edge faded, the last one blue.
    QVector<QPen> faded;
    for (QPen p : pens) {
        p.setColor(QColor(0, 0, 0, 10));
        faded.append(p);
    }
    QVector<QPen> shown = faded;
    shown.last() = pen(Qt::blue, 3);
    Scene byQt(sampleEdges(shown), true);
    for (int i = 0; i < shown.size(); ++i)
        byLayer.edges[i]->setPen(shown[i]);
    byLayer.layer->setHighlighted(byLayer.edges.last(), faded.last());

    const Difference d = compare(byQt.picture(), byLayer.picture());
    QVERIFY2(d.largest <= 3, qPrintable(QStringLiteral("largest difference %1").arg(d.largest)));
    // The faded picture came from the same pass as the normal one.
    QCOMPARE(byLayer.layer->renderCount(), rendered);
}

void tst_CircularPlotEdgeLayer::topMostVisibleEdgeIsHit()
{
    const QColor translucent(0, 0, 0, 30);
    // Two edges along the same curve: the later one is drawn on top.
    QVector<SampleEdge> samples = sampleEdges({pen(translucent, 1), pen(translucent, 0)});
    samples.append(samples.first());
    Scene byLayer(samples, false);
    EdgeLayer* layer = byLayer.layer;
    const QPointF onFirst = layer->curvePoint(0, 0.5);

    QCOMPARE(layer->edgeAt(onFirst), byLayer.edges[2]);
    // A hairline is hit within two pixels of its centre line.
    QCOMPARE(layer->edgeAt(layer->curvePoint(1, 1.3) + QPointF(1.5, 0)), byLayer.edges[1]);
    QVERIFY(!layer->edgeAt(layer->curvePoint(1, 1.3) + QPointF(6, 6)));
    byLayer.edges[2]->setVisible(false);
    QCOMPARE(layer->edgeAt(onFirst), byLayer.edges[0]);
    byLayer.edges[0]->setVisible(false);
    QVERIFY(!layer->edgeAt(onFirst));
}

void tst_CircularPlotEdgeLayer::picturesAreReusedForAnEarlierSetOfVisibleEdges()
{
    const QColor translucent(0, 0, 0, 30);
    Scene byLayer(sampleEdges({pen(translucent, 1), pen(translucent, 2), pen(translucent, 0)}), false);
    byLayer.picture();
    const int first = byLayer.layer->renderCount();

    byLayer.edges[1]->setVisible(false);
    byLayer.layer->visibilityChanged();
    byLayer.picture();
    QCOMPARE(byLayer.layer->renderCount(), first + 1);

    byLayer.edges[1]->setVisible(true);
    byLayer.layer->visibilityChanged();
    byLayer.picture();
    QCOMPARE(byLayer.layer->renderCount(), first + 1);

    byLayer.layer->refresh();
    byLayer.picture();
    QCOMPARE(byLayer.layer->renderCount(), first + 2);
}

QTEST_MAIN(tst_CircularPlotEdgeLayer)
#include "tst_circularplotedgelayer.moc"
