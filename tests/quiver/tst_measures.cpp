#include "approx.h"

#include "quiver/measures.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numeric>
#include <random>
#include <stdexcept>

Q_DECLARE_METATYPE(Eigen::MatrixXf)
Q_DECLARE_METATYPE(Eigen::ArrayXf)

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();

struct Edge {
    int from;
    int to;
    float weight;
};

// An n-node matrix with the edges in its upper triangle and zeros elsewhere.
Eigen::MatrixXf upperTriangle(int n, std::initializer_list<Edge> edges)
{
    Eigen::MatrixXf w = Eigen::MatrixXf::Zero(n, n);
    for (const Edge& e : edges)
        w(std::min(e.from, e.to), std::max(e.from, e.to)) = e.weight;
    return w;
}

Eigen::ArrayXf values(std::initializer_list<float> list)
{
    Eigen::ArrayXf a(Eigen::Index(list.size()));
    Eigen::Index i = 0;
    for (float v : list)
        a[i++] = v;
    return a;
}

using Measure = std::function<Eigen::ArrayXf(const Eigen::MatrixXf&)>;

// Every measure by its id; global efficiency as a one-element array.
const std::map<QString, Measure>& measures()
{
    static const std::map<QString, Measure> table = {
        {"clustering_coeff", quiver::clustering_coeff},
        {"local_efficiency", quiver::local_efficiency},
        {"global_efficiency", [](const Eigen::MatrixXf& w) { return values({quiver::global_efficiency(w)}); }},
        {"degree", quiver::degree},
        {"eigenvector_centrality", quiver::eigenvector_centrality},
        {"strength", quiver::strength},
        {"nodal_global_efficiency", quiver::nodal_global_efficiency},
    };
    return table;
}

// A symmetric matrix of correlation-like values in -1 .. 1; with density
// below 1, the other entries are NaN (no edge).
Eigen::MatrixXf randomSymmetric(int n, double density, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::bernoulli_distribution isEdge(density);
    Eigen::MatrixXf w = Eigen::MatrixXf::Constant(n, n, 1.0f);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i)
            w(i, j) = w(j, i) = isEdge(random) ? value(random) : kNan;
    }
    return w;
}

} // namespace

class tst_Measures : public QObject {
    Q_OBJECT

private slots:
    void knownValues_data();
    void knownValues();
    void upperTriangleOnly_data() { addMeasureRows(); }
    void upperTriangleOnly();
    void permutingNodesPermutesResults_data() { addRandomGraphRows(); }
    void permutingNodesPermutesResults();
    void scalingWeights_data() { addRandomGraphRows(); }
    void scalingWeights();
    void argumentUnchanged();
    void rejectsBadMatrix_data() { addMeasureRows(); }
    void rejectsBadMatrix();

private:
    static void addHandDrawnGraphRows();
    static void addSmallCornerRows();
    static void addMeasureRows();
    static void addRandomGraphRows();
};

void tst_Measures::knownValues_data()
{
    QTest::addColumn<Eigen::MatrixXf>("w");
    QTest::addColumn<QString>("measure");
    QTest::addColumn<Eigen::ArrayXf>("expected");
    addHandDrawnGraphRows();
    addSmallCornerRows();
}

void tst_Measures::knownValues()
{
    QFETCH(Eigen::MatrixXf, w);
    QFETCH(QString, measure);
    QFETCH(Eigen::ArrayXf, expected);
    COMPARE_APPROX(measures().at(measure)(w), expected);
}

void tst_Measures::addHandDrawnGraphRows()
{
    const auto add = [](const char* graph, const Eigen::MatrixXf& w, const char* measure,
                        const Eigen::ArrayXf& expected) {
        QTest::addRow("%s/%s", graph, measure) << w << QString(measure) << expected;
    };

    //      0              lengths 1/w: 0-1 = 1, 0-2 = 2, 1-2 = 4, so the
    //   1 / \ .5          shortest 1-2 path is 1-0-2 (3).
    //    1---2            triangle term (1 * .5 * .25)^(1/3) = .5 at every node
    //     .25             E_0 = (1 + 1/2) / 2, E_1 = (1 + 1/3) / 2, E_2 = (1/2 + 1/3) / 2
    const Eigen::MatrixXf triangle = upperTriangle(3, {{0, 1, 1.0f}, {0, 2, 0.5f}, {1, 2, 0.25f}});
    add("weighted triangle", triangle, "degree", values({2, 2, 2}));
    add("weighted triangle", triangle, "strength", values({1.5f, 1.25f, 0.75f}));
    add("weighted triangle", triangle, "clustering_coeff", values({0.5f, 0.5f, 0.5f}));
    add("weighted triangle", triangle, "local_efficiency", values({0.5f, 0.5f, 0.5f}));
    add("weighted triangle", triangle, "nodal_global_efficiency", values({0.75f, 2.0f / 3, 5.0f / 12}));
    add("weighted triangle", triangle, "global_efficiency", values({11.0f / 18}));

    // K4, all weights 1 except 1-2 = 1/64: cube-root weight 1/4, length 4.
    //    1 ---- 3       Inside N_0 = {1, 2, 3} and N_3 = {0, 1, 2} the shortest
    //    | \  / |       1-2 path has two hops (length 2), not the direct edge:
    //    |  \/  |       E_loc = 2 (1/2 + 1 + 1) / 6 = 5/6.
    //    |  /\  |       N_1 = {0, 2, 3}, all joined by length 1:
    //    | /  \ |       E_loc = 2 (1/4 + 1 + 1/4) / 6 = 1/2.
    //    0 ---- 2       C_0 = 2 (1/4 + 1 + 1) / 6, C_1 = 2 (1/4 + 1 + 1/4) / 6
    const Eigen::MatrixXf detour = upperTriangle(
        4, {{0, 1, 1.0f}, {0, 2, 1.0f}, {0, 3, 1.0f}, {1, 3, 1.0f}, {2, 3, 1.0f}, {1, 2, 1.0f / 64}});
    add("K4 with a weak edge", detour, "local_efficiency", values({5.0f / 6, 0.5f, 0.5f, 5.0f / 6}));
    add("K4 with a weak edge", detour, "clustering_coeff", values({0.75f, 0.5f, 0.5f, 0.75f}));
    add("K4 with a weak edge", detour, "degree", values({3, 3, 3, 3}));

    //      1            leaves are not joined: C = E_loc = 0 everywhere
    //      |            E_centre = 3/3, E_leaf = (1 + 1/2 + 1/2) / 3
    //  2 - 0 - 3        eigenvalue sqrt(3), vector (sqrt(3), 1, 1, 1) / sqrt(6)
    const Eigen::MatrixXf star = upperTriangle(4, {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}});
    add("star", star, "degree", values({3, 1, 1, 1}));
    add("star", star, "clustering_coeff", values({0, 0, 0, 0}));
    add("star", star, "local_efficiency", values({0, 0, 0, 0}));
    add("star", star, "nodal_global_efficiency", values({1, 2.0f / 3, 2.0f / 3, 2.0f / 3}));
    add("star", star, "global_efficiency", values({0.75f}));
    const float leaf = 1.0f / std::sqrt(6.0f);
    add("star", star, "eigenvector_centrality", values({std::sqrt(0.5f), leaf, leaf, leaf}));

    //  0 =2= 1   2 -.5- 3   4      two components and an isolated node;
    //  unreachable pairs add 0: E_0 = 2 / 4, E_2 = .5 / 4, E_4 = 0.
    //  The heavier pair alone carries the largest eigenvalue (2).
    const Eigen::MatrixXf apart = upperTriangle(5, {{0, 1, 2.0f}, {2, 3, 0.5f}});
    add("two components and an isolated node", apart, "degree", values({1, 1, 1, 1, 0}));
    add("two components and an isolated node", apart, "strength", values({2, 2, 0.5f, 0.5f, 0}));
    add("two components and an isolated node", apart, "nodal_global_efficiency",
        values({0.5f, 0.5f, 0.125f, 0.125f, 0}));
    add("two components and an isolated node", apart, "global_efficiency", values({0.25f}));
    add("two components and an isolated node", apart, "eigenvector_centrality",
        values({std::sqrt(0.5f), std::sqrt(0.5f), 0, 0, 0}));
    add("two components and an isolated node", apart, "clustering_coeff", values({0, 0, 0, 0, 0}));

    // Negative weights count by magnitude; NaN is no edge.
    //  0 -(-1)- 1 -(.5)- 2,  0 -(NaN)- 2
    const Eigen::MatrixXf signs = upperTriangle(3, {{0, 1, -1.0f}, {1, 2, 0.5f}, {0, 2, kNan}});
    add("negative and NaN", signs, "degree", values({1, 2, 1}));
    add("negative and NaN", signs, "strength", values({1, 1.5f, 0.5f}));
    add("negative and NaN", signs, "nodal_global_efficiency", values({(1 + 1.0f / 3) / 2, 1.5f / 2, (0.5f + 1.0f / 3) / 2}));
}

void tst_Measures::addSmallCornerRows()
{
    const Eigen::MatrixXf empty(0, 0);
    const Eigen::MatrixXf single = Eigen::MatrixXf::Constant(1, 1, 0.7f);
    // 0 -.8- 1: one edge, length 1.25
    const Eigen::MatrixXf pair = upperTriangle(2, {{0, 1, 0.8f}});
    const Eigen::MatrixXf unjoined = upperTriangle(2, {{0, 1, kNan}});
    const float half = std::sqrt(0.5f);

    const std::map<QString, Eigen::ArrayXf> expectedForPair = {
        {"clustering_coeff", values({0, 0})},
        {"local_efficiency", values({0, 0})},
        {"global_efficiency", values({0.8f})},
        {"degree", values({1, 1})},
        {"eigenvector_centrality", values({half, half})},
        {"strength", values({0.8f, 0.8f})},
        {"nodal_global_efficiency", values({0.8f, 0.8f})},
    };
    for (const auto& [measure, _] : measures()) {
        const bool isScalar = measure == "global_efficiency";
        const QByteArray name = measure.toUtf8();
        QTest::addRow("0 nodes/%s", name.data())
            << empty << measure << (isScalar ? values({0}) : Eigen::ArrayXf());
        QTest::addRow("1 node/%s", name.data()) << single << measure << values({0});
        QTest::addRow("2 nodes, 1 edge/%s", name.data()) << pair << measure << expectedForPair.at(measure);
        QTest::addRow("2 nodes, no edge/%s", name.data())
            << unjoined << measure << (isScalar ? values({0}) : values({0, 0}));
    }
}

void tst_Measures::addMeasureRows()
{
    QTest::addColumn<QString>("measure");
    for (const auto& [measure, _] : measures())
        QTest::newRow(measure.toUtf8().data()) << measure;
}

void tst_Measures::upperTriangleOnly()
{
    QFETCH(QString, measure);
    // The same upper triangle under different lower triangles and diagonals
    // (infinite ones included) is the same graph.
    const Eigen::MatrixXf symmetric = randomSymmetric(9, 0.6, 7);
    Eigen::MatrixXf scrambled = symmetric;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> junk(-5.0f, 5.0f);
    for (int j = 0; j < 9; ++j) {
        for (int i = j + 1; i < 9; ++i)
            scrambled(i, j) = (i + j) % 3 == 0 ? kNan : junk(random);
        scrambled(j, j) = j % 2 ? std::numeric_limits<float>::infinity() : junk(random);
    }
    const Measure& f = measures().at(measure);
    COMPARE_APPROX(f(scrambled), f(symmetric));
}

void tst_Measures::addRandomGraphRows()
{
    QTest::addColumn<QString>("measure");
    QTest::addColumn<Eigen::MatrixXf>("w");
    for (const auto& [measure, _] : measures()) {
        const QByteArray name = measure.toUtf8();
        QTest::addRow("dense/%s", name.data()) << measure << randomSymmetric(24, 1.0, 11);
        QTest::addRow("sparse/%s", name.data()) << measure << randomSymmetric(24, 0.25, 12);
    }
}

void tst_Measures::permutingNodesPermutesResults()
{
    QFETCH(QString, measure);
    QFETCH(Eigen::MatrixXf, w);
    std::vector<int> order(std::size_t(w.rows()));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(5));
    Eigen::PermutationMatrix<Eigen::Dynamic> p(w.rows());
    std::copy(order.begin(), order.end(), p.indices().data());

    const Measure& f = measures().at(measure);
    const Eigen::MatrixXf permuted = p * w * p.transpose();
    const Eigen::ArrayXf original = f(w);
    if (measure == "global_efficiency")
        COMPARE_APPROX(f(permuted), original);
    else
        COMPARE_APPROX(f(permuted), (p * original.matrix()).array().eval());
}

void tst_Measures::scalingWeights()
{
    QFETCH(QString, measure);
    QFETCH(Eigen::MatrixXf, w);
    // Clustering and local efficiency see weights relative to the largest,
    // degree and centrality are unchanged; the rest scale with the weights.
    const float c = 3.5f;
    const bool scales = measure == "strength" || measure.contains("global_efficiency");
    const Measure& f = measures().at(measure);
    const Eigen::MatrixXf scaled = c * w;
    COMPARE_APPROX(f(scaled), (f(w) * (scales ? c : 1.0f)).eval());
}

void tst_Measures::argumentUnchanged()
{
    const Eigen::MatrixXf w = randomSymmetric(12, 0.7, 9);
    for (const auto& [measure, f] : measures()) {
        Eigen::MatrixXf argument = w;
        f(argument);
        QVERIFY2(argument.cwiseEqual(w).count() + argument.array().isNaN().count() == w.size(),
                 qPrintable(measure));
    }
}

void tst_Measures::rejectsBadMatrix()
{
    QFETCH(QString, measure);
    const Eigen::MatrixXf infinite = upperTriangle(3, {{0, 1, 1}, {1, 2, -std::numeric_limits<float>::infinity()}});
    const std::pair<Eigen::MatrixXf, QString> cases[] = {
        {Eigen::MatrixXf::Ones(3, 4), "quiver::" + measure + ": the matrix is 3 x 4; a connectivity matrix must be square"},
        {infinite, "quiver::" + measure + ": entry (1, 2) is infinite"},
    };
    for (const auto& [w, message] : cases) {
        try {
            measures().at(measure)(w);
            QFAIL("no exception");
        } catch (const std::invalid_argument& e) {
            QVERIFY2(QString(e.what()).startsWith(message), e.what());
        }
    }
}

QTEST_APPLESS_MAIN(tst_Measures)
#include "tst_measures.moc"
