// Benchmarks of the circular plot on dense correlation-like matrices of the
// usual atlas sizes: plotting a position, moving to the next one, changing
// the display range, hovering an edge and a label, turning colouring on.
// Each step includes the repaint that shows it. Each benchmark carries its
// speed target as the counter target_ms and the process's peak resident
// memory so far as peak_mb (benchmarks run by ascending node count, so the
// figure at n nodes is the peak of plotting n nodes).
#include "circularplot/circularplotwidget.h"
#include "circularplot/edgelayer.h"
#include "circularplot/mygraphicssimpletextitem.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSplineSeries>

#include <benchmark/benchmark.h>

#include "widgetbenchmarks.h"


#include <functional>
#include <map>
#include <random>
#include <string>

namespace {

const std::vector<int> kNodeCounts = {90, 116, 264, 400};

// Regions in eight networks: pairs within a network correlate around 0.5,
// pairs across networks around 0.1, with spread; every pair is nonzero, like
// a correlation matrix of resting-state time series.
Eigen::MatrixXf denseCorrelations(int nodes, unsigned seed)
{
    std::mt19937 random{seed + unsigned(nodes)};
    std::normal_distribution<float> spread(0.0f, 0.15f);
    Eigen::MatrixXf m = Eigen::MatrixXf::Ones(nodes, nodes);
    for (int i = 0; i < nodes; ++i) {
        for (int j = i + 1; j < nodes; ++j) {
            const float mean = (i % 8 == j % 8) ? 0.5f : 0.1f;
            const float value = std::clamp(mean + spread(random), -0.99f, 0.99f);
            m(i, j) = value == 0.0f ? 0.01f : value;
            m(j, i) = m(i, j);
        }
    }
    return m;
}

const Eigen::MatrixXf& matrix(int nodes, unsigned seed)
{
    static std::map<std::pair<int, unsigned>, Eigen::MatrixXf> cache;
    auto found = cache.find({nodes, seed});
    if (found == cache.end())
        found = cache.emplace(std::make_pair(nodes, seed), denseCorrelations(nodes, seed)).first;
    return found->second;
}

QVariant positionData()
{
    QVariantHash hash;
    hash.insert(QStringLiteral("slice"), 0);
    hash.insert(QStringLiteral("mst"), QVariant::fromValue(std::vector<int>()));
    return hash;
}

// One shown plot widget for the whole run, like the window's.
CircularPlotWidget& widget()
{
    static CircularPlotWidget* shown = [] {
        auto* w = new CircularPlotWidget;
        w->resize(700, 700);
        w->show();
        QApplication::processEvents();
        return w;
    }();
    return *shown;
}

void showPosition(int nodes, unsigned seed)
{
    CircularPlotWidget& w = widget();
    QStringList names;
    for (int i = 0; i < nodes; ++i)
        names.append(QStringLiteral("Region %1").arg(i));
    w.setNodeNames(names);
    w.plot(matrix(nodes, seed), 1, positionData());
    w.viewport()->repaint();
}

void moveMouse(const QPoint& point)
{
    QWidget* viewport = widget().viewport();
    QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    viewport->repaint();
}

// A viewport pixel on the strongest edge, where nothing is drawn above it.
QPoint pointOnTopEdge()
{
    CircularPlotWidget& w = widget();
    EdgeLayer* layer = w.edgeLayer();
    const int top = w.edgeList().size() - 1;
    for (double t = 0.2; t < 2.0; t += 0.05) {
        const QPoint pixel = w.mapFromScene(layer->mapToScene(layer->curvePoint(top, t)));
        if (layer->edgeAt(layer->mapFromScene(w.mapToScene(pixel)) + QPointF(0.5, 0.5)) == w.edgeList()[top])
            return pixel;
    }
    return {};
}

QPoint pointOnLabel(int node)
{
    CircularPlotWidget& w = widget();
    for (const MyGraphicsSimpleTextItem* label : w.labelItems())
        if (label->property("index").toInt() == node)
            return w.mapFromScene(label->mapToScene(label->boundingRect().center()));
    return {};
}

const QPoint kOutside(3, 3);

struct Targets {
    double plot = 0, nextPosition = 0, range = 0, edgeHover = 0, labelHover = 0;
};

Targets targets(int nodes)
{
    switch (nodes) {
    case 116:
        return {300, 300, 250, 16, 30};
    case 264:
        return {1000, 0, 800, 30, 0};
    case 400:
        return {2500, 0, 0, 60, 0};
    default:
        return {};
    }
}

void finish(benchmark::State& state, double targetMs)
{
    if (targetMs > 0)
        state.counters["target_ms"] = targetMs;
    state.counters["peak_mb"] = peakMegabytes();
}

void registerBenchmark(const std::string& name, int nodes, std::function<void(benchmark::State&)> run)
{
    benchmark::RegisterBenchmark((name + "/" + std::to_string(nodes)).c_str(), std::move(run))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void moveMouse(benchmark::State& state, const QPoint& point, bool timed)
{
    if (!timed)
        state.PauseTiming();
    moveMouse(point);
    if (!timed)
        state.ResumeTiming();
}

// <name>In times moving onto the point from outside, <name>Out moving off it.
void registerHover(const std::string& name, int nodes, double targetMs, const std::function<QPoint()>& target)
{
    for (const bool entering : {true, false}) {
        registerBenchmark(name + (entering ? "In" : "Out"), nodes, [=](benchmark::State& state) {
            showPosition(nodes, 1);
            const QPoint point = target();
            moveMouse(point); // the first hover draws the faded picture
            moveMouse(kOutside);
            for (auto _ : state) {
                moveMouse(state, point, entering);
                moveMouse(state, kOutside, !entering);
            }
            finish(state, targetMs);
        });
    }
}

void registerBenchmarks()
{
    for (int nodes : kNodeCounts) {
        const Targets target = targets(nodes);
        registerBenchmark("Plot", nodes, [nodes, target](benchmark::State& state) {
            for (auto _ : state) {
                state.PauseTiming();
                widget().plot(Eigen::MatrixXf(), 1, positionData());
                state.ResumeTiming();
                showPosition(nodes, 1);
            }
            finish(state, target.plot);
        });
        registerBenchmark("NextPosition", nodes, [nodes, target](benchmark::State& state) {
            showPosition(nodes, 1);
            unsigned seed = 1;
            for (auto _ : state) {
                seed = seed == 1 ? 2 : 1;
                showPosition(nodes, seed);
            }
            finish(state, target.nextPosition);
        });
        registerBenchmark("RangeChange", nodes, [nodes, target](benchmark::State& state) {
            showPosition(nodes, 1);
            int step = 0;
            for (auto _ : state) {
                // A new range every time, so no picture is reused.
                const double lower = 0.05 + 0.002 * (step++ % 100);
                widget().filterDisplayRange(lower, 0.9);
                widget().update();
                widget().viewport()->repaint();
            }
            finish(state, target.range);
        });
        registerHover("EdgeHover", nodes, target.edgeHover, pointOnTopEdge);
        registerHover("LabelHover", nodes, target.labelHover, [] { return pointOnLabel(0); });
        registerBenchmark("ColouringOn", nodes, [nodes](benchmark::State& state) {
            showPosition(nodes, 1);
            for (auto _ : state) {
                widget().toggleColorizeEdges(true);
                widget().viewport()->repaint();
                state.PauseTiming();
                widget().toggleColorizeEdges(false);
                widget().viewport()->repaint();
                state.ResumeTiming();
            }
            finish(state, 0);
        });
    }
}

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv, registerBenchmarks, [] { delete &widget(); });
}
