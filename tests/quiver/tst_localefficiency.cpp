#include "approx.h"

#include "quiver/localefficiency.h"
#include "quiver/measures.h"

#include <QtTest>

#include <queue>
#include <random>
#include <vector>

Q_DECLARE_METATYPE(Eigen::MatrixXf)

namespace {

struct RandomGraph {
    int nodes = 0;
    double density = 1.0;    // chance of an edge between two ordinary nodes
    int hubs = 0;            // nodes joined to every non-isolated node
    int isolated = 0;        // nodes without edges
    bool isBinary = false;   // all weights 1
    unsigned seed = 1;
};

// Cube-root weights (symmetric, zero diagonal, in 0 .. 1, 0 for no edge).
// The hubs come first, the isolated nodes last.
Eigen::MatrixXf makeGraph(const RandomGraph& g)
{
    std::mt19937 random(g.seed);
    std::uniform_real_distribution<float> weight(0.05f, 1.0f);
    std::bernoulli_distribution isEdge(g.density);
    const int joined = g.nodes - g.isolated;
    Eigen::MatrixXf b = Eigen::MatrixXf::Zero(g.nodes, g.nodes);
    for (int j = 0; j < joined; ++j) {
        for (int i = 0; i < j; ++i) {
            if (i < g.hubs || isEdge(random))
                b(i, j) = b(j, i) = g.isBinary ? 1.0f : weight(random);
        }
    }
    return b;
}

// Binary local efficiency by breadth-first search inside each neighbourhood:
// the mean of 1 / hops over ordered pairs of neighbours.
Eigen::ArrayXf binaryLocalEfficiency(const Eigen::MatrixXf& adjacency)
{
    const int n = int(adjacency.rows());
    Eigen::ArrayXf result = Eigen::ArrayXf::Zero(n);
    for (int i = 0; i < n; ++i) {
        std::vector<bool> inside(std::size_t(n), false);
        int k = 0;
        for (int j = 0; j < n; ++j) {
            inside[std::size_t(j)] = adjacency(i, j) != 0.0f;
            k += inside[std::size_t(j)];
        }
        if (k < 2)
            continue;
        double sum = 0.0;
        for (int source = 0; source < n; ++source) {
            if (!inside[std::size_t(source)])
                continue;
            std::vector<int> hops(std::size_t(n), -1);
            std::queue<int> queue;
            hops[std::size_t(source)] = 0;
            queue.push(source);
            while (!queue.empty()) {
                const int u = queue.front();
                queue.pop();
                for (int v = 0; v < n; ++v) {
                    if (inside[std::size_t(v)] && adjacency(u, v) != 0.0f && hops[std::size_t(v)] < 0) {
                        hops[std::size_t(v)] = hops[std::size_t(u)] + 1;
                        queue.push(v);
                        sum += 1.0 / hops[std::size_t(v)];
                    }
                }
            }
        }
        result[i] = float(sum / (double(k) * (k - 1)));
    }
    return result;
}

} // namespace

class tst_LocalEfficiency : public QObject {
    Q_OBJECT

private slots:
    void fastRouteAgreesWithNeighbourhoodRoute_data();
    void fastRouteAgreesWithNeighbourhoodRoute();
    void binaryGraphGivesBinaryLocalEfficiency_data();
    void binaryGraphGivesBinaryLocalEfficiency();
};

void tst_LocalEfficiency::fastRouteAgreesWithNeighbourhoodRoute_data()
{
    QTest::addColumn<Eigen::MatrixXf>("b");
    // Odd sizes give uneven halves in the divide and conquer.
    QTest::newRow("dense, 40 nodes") << makeGraph({40, 1.0, 0, 0, false, 1});
    QTest::newRow("dense, 37 nodes") << makeGraph({37, 1.0, 0, 0, false, 2});
    QTest::newRow("dense with 3 isolated nodes") << makeGraph({30, 1.0, 0, 3, false, 3});
    QTest::newRow("nearly dense") << makeGraph({30, 0.9, 0, 0, false, 4});
    QTest::newRow("sparse") << makeGraph({40, 0.15, 0, 0, false, 5});
    QTest::newRow("sparse with 5 hubs and isolated nodes") << makeGraph({40, 0.2, 5, 4, false, 6});
    QTest::newRow("one hub") << makeGraph({25, 0.3, 1, 0, false, 7});
    QTest::newRow("binary, 2 hubs") << makeGraph({30, 0.5, 2, 1, true, 8});
}

void tst_LocalEfficiency::fastRouteAgreesWithNeighbourhoodRoute()
{
    QFETCH(Eigen::MatrixXf, b);
    COMPARE_APPROX(quiver::detail::localEfficiency(b), quiver::detail::localEfficiencyByNeighbourhood(b));
}

void tst_LocalEfficiency::binaryGraphGivesBinaryLocalEfficiency_data()
{
    QTest::addColumn<Eigen::MatrixXf>("adjacency");
    QTest::newRow("complete") << makeGraph({12, 1.0, 0, 0, true, 1});
    QTest::newRow("density 0.9") << makeGraph({30, 0.9, 0, 0, true, 2});
    QTest::newRow("density 0.3, hubs") << makeGraph({30, 0.3, 3, 2, true, 3});
    QTest::newRow("density 0.1") << makeGraph({40, 0.1, 0, 0, true, 4});
}

void tst_LocalEfficiency::binaryGraphGivesBinaryLocalEfficiency()
{
    QFETCH(Eigen::MatrixXf, adjacency);
    COMPARE_APPROX(quiver::local_efficiency(adjacency), binaryLocalEfficiency(adjacency));
}

QTEST_APPLESS_MAIN(tst_LocalEfficiency)
#include "tst_localefficiency.moc"
