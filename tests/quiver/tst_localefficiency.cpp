#include "approx.h"

#include "quiver/localefficiency.h"
#include "quiver/measures.h"
#include "quiver/shortestpaths.h"

#include <random>

using namespace quiver::detail;

class tst_LocalEfficiency : public QObject {
    Q_OBJECT

private slots:
    void agreesWithTheSlowRoutes_data();
    void agreesWithTheSlowRoutes();
};

void tst_LocalEfficiency::agreesWithTheSlowRoutes_data()
{
    // Cube-root weights: the first `hubs` nodes are joined to every node with an edge, the last `isolated` have
    // none, other pairs are joined with chance `density`.
    QTest::addColumn<QVector<double>>("graph"); // nodes, density, hubs, isolated
    // Odd sizes give uneven halves in the divide and conquer; 3 .. 23 nodes cover the 4-, 8- and 16-wide
    // vector loops and their tails.
    QTest::newRow("dense, 37 nodes, 3 isolated") << QVector<double>{37, 1.0, 0, 3};
    QTest::newRow("nearly dense, 2 hubs") << QVector<double>{30, 0.9, 2, 1};
    QTest::newRow("sparse with 5 hubs and isolated nodes") << QVector<double>{40, 0.2, 5, 4};
    for (int nodes : {3, 5, 9, 17, 23})
        QTest::addRow("one hub, %d nodes", nodes) << QVector<double>{double(nodes), 0.6, 1, 0};
}

// The fast route must match Floyd-Warshall in each neighbourhood, and every vector kernel set the plain
// loops (the processor picks one set; the others would go untested).
void tst_LocalEfficiency::agreesWithTheSlowRoutes()
{
    QFETCH(QVector<double>, graph);
    const int nodes = int(graph[0]), hubs = int(graph[2]), isolated = int(graph[3]);
    std::mt19937 random{unsigned(nodes)};
    std::bernoulli_distribution isEdge(graph[1]);
    std::uniform_real_distribution<float> weight(0.05f, 1.0f);
    Eigen::MatrixXf b = Eigen::MatrixXf::Zero(nodes, nodes);
    for (int j = 0; j < nodes - isolated; ++j)
        for (int i = 0; i < j; ++i)
            if (i < hubs || isEdge(random))
                b(i, j) = b(j, i) = weight(random);
    COMPARE_APPROX(localEfficiency(b), localEfficiencyByNeighbourhood(b));

    useKernelSet(KernelSet::Plain);
    const Eigen::ArrayXf local = localEfficiency(b), nodal = quiver::nodal_global_efficiency(b);
    for (KernelSet set : supportedKernelSets()) { // the best set last
        useKernelSet(set);
        COMPARE_APPROX(localEfficiency(b), local);
        COMPARE_APPROX(quiver::nodal_global_efficiency(b), nodal);
    }
}

QTEST_APPLESS_MAIN(tst_LocalEfficiency)
#include "tst_localefficiency.moc"
