#include "approx.h"

#include "quiver/localefficiency.h"
#include "quiver/measures.h"
#include "quiver/shortestpaths.h"

#include <QtTest>

#include <random>
#include <vector>

Q_DECLARE_METATYPE(Eigen::MatrixXf)

namespace {

struct RandomGraph {
    int nodes;
    double density; // chance of an edge between two nodes that are not hubs
    int hubs;       // the first nodes, joined to every node that has an edge
    int isolated;   // the last nodes, without edges
    unsigned seed;
};

// Cube-root weights: symmetric, zero diagonal, in 0 .. 1, 0 for no edge.
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
                b(i, j) = b(j, i) = weight(random);
        }
    }
    return b;
}

// Binary local efficiency is the global efficiency of the subgraph induced
// by each node's neighbours (0 with fewer than two).
Eigen::ArrayXf neighbourhoodGlobalEfficiency(const Eigen::MatrixXf& adjacency)
{
    Eigen::ArrayXf result(adjacency.rows());
    for (Eigen::Index i = 0; i < adjacency.rows(); ++i) {
        std::vector<Eigen::Index> neighbours;
        for (Eigen::Index j = 0; j < adjacency.rows(); ++j) {
            if (adjacency(i, j) != 0.0f)
                neighbours.push_back(j);
        }
        result[i] = quiver::global_efficiency(adjacency(neighbours, neighbours));
    }
    return result;
}

} // namespace

class tst_LocalEfficiency : public QObject {
    Q_OBJECT

private slots:
    void fastRouteAgreesWithNeighbourhoodRoute_data();
    void fastRouteAgreesWithNeighbourhoodRoute();
    void binaryGraphGivesBinaryLocalEfficiency_data() { fastRouteAgreesWithNeighbourhoodRoute_data(); }
    void binaryGraphGivesBinaryLocalEfficiency();
    void everyKernelSetAgreesWithThePlainLoops_data();
    void everyKernelSetAgreesWithThePlainLoops();
};

void tst_LocalEfficiency::fastRouteAgreesWithNeighbourhoodRoute_data()
{
    QTest::addColumn<Eigen::MatrixXf>("b");
    // Odd sizes give uneven halves in the divide and conquer.
    QTest::newRow("dense, 37 nodes") << makeGraph({37, 1.0, 0, 0, 2});
    QTest::newRow("dense with 3 isolated nodes") << makeGraph({30, 1.0, 0, 3, 3});
    QTest::newRow("nearly dense, 2 hubs") << makeGraph({30, 0.9, 2, 1, 4});
    QTest::newRow("sparse") << makeGraph({40, 0.1, 0, 0, 5});
    QTest::newRow("sparse with 5 hubs and isolated nodes") << makeGraph({40, 0.2, 5, 4, 6});
    QTest::newRow("one hub") << makeGraph({25, 0.3, 1, 0, 7});
}

void tst_LocalEfficiency::fastRouteAgreesWithNeighbourhoodRoute()
{
    QFETCH(Eigen::MatrixXf, b);
    COMPARE_APPROX(quiver::detail::localEfficiency(b), quiver::detail::localEfficiencyByNeighbourhood(b));
}

void tst_LocalEfficiency::binaryGraphGivesBinaryLocalEfficiency()
{
    QFETCH(Eigen::MatrixXf, b);
    const Eigen::MatrixXf adjacency = (b.array() > 0.0f).cast<float>();
    COMPARE_APPROX(quiver::local_efficiency(adjacency), neighbourhoodGlobalEfficiency(adjacency));
}

// The processor picks one kernel set; the others would go untested on it.
// Each vector set must agree with the plain loops, which the other tests
// check against hand-worked values through the set picked.
void tst_LocalEfficiency::everyKernelSetAgreesWithThePlainLoops_data()
{
    using quiver::detail::KernelSet;
    QTest::addColumn<int>("kernels");
    QTest::addColumn<Eigen::MatrixXf>("b");
    const char* const names[] = {"plain", "SSE", "AVX"};
    for (KernelSet set : quiver::detail::supportedKernelSets()) {
        if (set == KernelSet::Plain)
            continue;
        // Sizes around the 4-, 8- and 16-wide loops and their tails.
        for (int nodes : {3, 5, 9, 17, 23})
            QTest::addRow("%s, %d nodes", names[int(set)], nodes) << int(set) << makeGraph({nodes, 0.6, 1, 0, unsigned(nodes)});
    }
}

void tst_LocalEfficiency::everyKernelSetAgreesWithThePlainLoops()
{
    using quiver::detail::KernelSet;
    QFETCH(int, kernels);
    QFETCH(Eigen::MatrixXf, b);
    quiver::detail::useKernelSet(KernelSet::Plain);
    const Eigen::ArrayXf local = quiver::detail::localEfficiency(b);
    const Eigen::ArrayXf nodal = quiver::nodal_global_efficiency(b);
    quiver::detail::useKernelSet(KernelSet(kernels));
    const Eigen::ArrayXf localWithSet = quiver::detail::localEfficiency(b);
    const Eigen::ArrayXf nodalWithSet = quiver::nodal_global_efficiency(b);
    quiver::detail::useKernelSet(quiver::detail::supportedKernelSets().back());
    COMPARE_APPROX(localWithSet, local);
    COMPARE_APPROX(nodalWithSet, nodal);
}

QTEST_APPLESS_MAIN(tst_LocalEfficiency)
#include "tst_localefficiency.moc"
