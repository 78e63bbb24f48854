#include "approx.h"

#include "quiver/measures.h"

#include <QtTest>

#include <functional>
#include <limits>
#include <map>
#include <random>
#include <stdexcept>

Q_DECLARE_METATYPE(Eigen::MatrixXf)
Q_DECLARE_METATYPE(Eigen::ArrayXf)

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

struct Edge {
    int from, to;
    float weight;
};

// An n-node matrix with the edges in its upper triangle and zeros below, so
// that every hand-drawn graph is also a non-symmetric input.
Eigen::MatrixXf upperTriangle(int n, std::initializer_list<Edge> edges)
{
    Eigen::MatrixXf w = Eigen::MatrixXf::Zero(n, n);
    for (const Edge& e : edges)
        w(std::min(e.from, e.to), std::max(e.from, e.to)) = e.weight;
    return w;
}

Eigen::ArrayXf values(std::initializer_list<float> list)
{
    return Eigen::Map<const Eigen::ArrayXf>(list.begin(), Eigen::Index(list.size()));
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

// A symmetric matrix of correlation-like values in -1 .. 1, with NaN (no
// edge) instead of the values nearer to 0 than threshold.
Eigen::MatrixXf randomSymmetric(int n, float threshold)
{
    const Eigen::MatrixXf w = Eigen::MatrixXf::Random(n, n).selfadjointView<Eigen::Upper>();
    return (w.array().abs() < threshold).select(kNan, w);
}

} // namespace

class tst_Measures : public QObject {
    Q_OBJECT

private slots:
    void knownValues_data();
    void knownValues();
    void invariants_data();
    void invariants();
    void rejectsBadMatrix();
};

void tst_Measures::knownValues_data()
{
    QTest::addColumn<Eigen::MatrixXf>("w");
    QTest::addColumn<QString>("measure");
    QTest::addColumn<Eigen::ArrayXf>("expected");
    const auto add = [](const char* graph, const Eigen::MatrixXf& w,
                        std::initializer_list<std::pair<const char*, Eigen::ArrayXf>> rows) {
        for (const auto& [measure, expected] : rows)
            QTest::addRow("%s/%s", graph, measure) << w << QString(measure) << expected;
    };

    //      0              lengths 1/w: 0-1 = 1, 0-2 = 2, 1-2 = 4, so the
    //   1 / \ .5          shortest 1-2 path is 1-0-2 (3).
    //    1---2            triangle term (1 * .5 * .25)^(1/3) = .5 at every node
    //     .25             E_0 = (1 + 1/2) / 2, E_1 = (1 + 1/3) / 2, E_2 = (1/2 + 1/3) / 2
    add("weighted triangle", upperTriangle(3, {{0, 1, 1.0f}, {0, 2, 0.5f}, {1, 2, 0.25f}}),
        {{"strength", values({1.5f, 1.25f, 0.75f})},
         {"clustering_coeff", values({0.5f, 0.5f, 0.5f})},
         {"local_efficiency", values({0.5f, 0.5f, 0.5f})},
         {"nodal_global_efficiency", values({0.75f, 2.0f / 3, 5.0f / 12})},
         {"global_efficiency", values({11.0f / 18})}});

    // K4, all weights 1 except 1-2 = 1/64: cube-root weight 1/4, length 4.
    //    1 ---- 3       Inside N_0 = {1, 2, 3} and N_3 = {0, 1, 2} the shortest
    //    | \  / |       1-2 path has two hops (length 2), not the direct edge:
    //    |  \/  |       E_loc = 2 (1/2 + 1 + 1) / 6 = 5/6.
    //    |  /\  |       N_1 = {0, 2, 3}, all joined by length 1:
    //    | /  \ |       E_loc = 2 (1/4 + 1 + 1/4) / 6 = 1/2.
    //    0 ---- 2       C_0 = 2 (1/4 + 1 + 1) / 6, C_1 = 2 (1/4 + 1 + 1/4) / 6
    add("K4 with a weak edge",
        upperTriangle(4, {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}, {1, 3, 1}, {2, 3, 1}, {1, 2, 1.0f / 64}}),
        {{"local_efficiency", values({5.0f / 6, 0.5f, 0.5f, 5.0f / 6})},
         {"clustering_coeff", values({0.75f, 0.5f, 0.5f, 0.75f})}});

    //      1            the leaves are not joined, not even through 0: E_loc = 0
    //      |            eigenvalue sqrt(3), vector (sqrt(3), 1, 1, 1) / sqrt(6)
    //  2 - 0 - 3
    const float leaf = 1.0f / std::sqrt(6.0f);
    add("star", upperTriangle(4, {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}}),
        {{"local_efficiency", values({0, 0, 0, 0})},
         {"eigenvector_centrality", values({std::sqrt(0.5f), leaf, leaf, leaf})}});

    //  0 - 1 - 2 - 3    E_0 = (1 + 1/2 + 1/3) / 3, E_1 = (1 + 1 + 1/2) / 3
    //                   eigenvalue phi = 1.618..., vector (1, phi, phi, 1) / norm
    const float phi = (1 + std::sqrt(5.0f)) / 2;
    const float end = 1 / std::sqrt(2 + 2 * phi * phi);
    add("path", upperTriangle(4, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}}),
        {{"nodal_global_efficiency", values({11.0f / 18, 5.0f / 6, 5.0f / 6, 11.0f / 18})},
         {"eigenvector_centrality", values({end, phi * end, phi * end, end})}});

    //  0 =2= 1   2 -.5- 3   4      two components and an isolated node;
    //  unreachable pairs add 0: E_0 = 2 / 4, E_2 = .5 / 4, E_4 = 0.
    //  The heavier pair alone carries the largest eigenvalue (2).
    add("two components and an isolated node", upperTriangle(5, {{0, 1, 2.0f}, {2, 3, 0.5f}}),
        {{"nodal_global_efficiency", values({0.5f, 0.5f, 0.125f, 0.125f, 0})},
         {"global_efficiency", values({0.25f})},
         {"eigenvector_centrality", values({std::sqrt(0.5f), std::sqrt(0.5f), 0, 0, 0})}});

    // Negative weights count by magnitude; NaN is no edge.
    //  0 -(-1)- 1 -(.5)- 2,  0 -(NaN)- 2
    add("negative and NaN", upperTriangle(3, {{0, 1, -1.0f}, {1, 2, 0.5f}, {0, 2, kNan}}),
        {{"degree", values({1, 2, 1})},
         {"strength", values({1, 1.5f, 0.5f})},
         {"nodal_global_efficiency", values({(1 + 1.0f / 3) / 2, 1.5f / 2, (0.5f + 1.0f / 3) / 2})}});

    // 0 -.8- 1: one edge, length 1.25
    const float half = std::sqrt(0.5f);
    const std::map<QString, Eigen::ArrayXf> expectedForPair = {
        {"clustering_coeff", values({0, 0})},     {"local_efficiency", values({0, 0})},
        {"global_efficiency", values({0.8f})},    {"degree", values({1, 1})},
        {"eigenvector_centrality", values({half, half})}, {"strength", values({0.8f, 0.8f})},
        {"nodal_global_efficiency", values({0.8f, 0.8f})},
    };
    for (const auto& [measure, _] : measures()) {
        const bool isScalar = measure == "global_efficiency";
        const QByteArray name = measure.toUtf8();
        QTest::addRow("0 nodes/%s", name.data())
            << Eigen::MatrixXf(0, 0) << measure << (isScalar ? values({0}) : Eigen::ArrayXf());
        QTest::addRow("1 node/%s", name.data())
            << Eigen::MatrixXf::Constant(1, 1, 0.7f).eval() << measure << values({0});
        QTest::addRow("2 nodes, 1 edge/%s", name.data())
            << upperTriangle(2, {{0, 1, 0.8f}}) << measure << expectedForPair.at(measure);
        QTest::addRow("2 nodes, no edge/%s", name.data())
            << upperTriangle(2, {{0, 1, kNan}}) << measure << (isScalar ? values({0}) : values({0, 0}));
    }
}

void tst_Measures::knownValues()
{
    QFETCH(Eigen::MatrixXf, w);
    QFETCH(QString, measure);
    QFETCH(Eigen::ArrayXf, expected);
    COMPARE_APPROX(measures().at(measure)(w), expected);
}

void tst_Measures::invariants_data()
{
    QTest::addColumn<QString>("measure");
    QTest::addColumn<Eigen::MatrixXf>("w");
    const Eigen::MatrixXf dense = randomSymmetric(24, 0.0f);
    const Eigen::MatrixXf sparse = randomSymmetric(24, 0.75f);
    for (const auto& [measure, _] : measures()) {
        const QByteArray name = measure.toUtf8();
        QTest::addRow("dense/%s", name.data()) << measure << dense;
        QTest::addRow("sparse/%s", name.data()) << measure << sparse;
    }
}

// On random graphs: relabelling the nodes relabels the results; scaling the
// weights by c scales strength and both global efficiencies by c and leaves
// the rest (relative or unweighted) alone; the lower triangle and the
// diagonal, infinite or not, change nothing.
void tst_Measures::invariants()
{
    QFETCH(QString, measure);
    QFETCH(Eigen::MatrixXf, w);
    const Measure& f = measures().at(measure);
    const Eigen::ArrayXf original = f(w);
    const bool isScalar = measure == "global_efficiency";

    Eigen::PermutationMatrix<Eigen::Dynamic> p(w.rows());
    p.setIdentity();
    std::shuffle(p.indices().data(), p.indices().data() + p.size(), std::mt19937(5));
    COMPARE_APPROX(f(p * w * p.transpose()), isScalar ? original : (p * original.matrix()).array().eval());

    const float c = 3.5f;
    const bool scales = measure == "strength" || measure.contains("global_efficiency");
    COMPARE_APPROX(f(c * w), (original * (scales ? c : 1.0f)).eval());

    Eigen::MatrixXf scrambled = 5 * Eigen::MatrixXf::Random(w.rows(), w.cols());
    scrambled.triangularView<Eigen::StrictlyUpper>() = w;
    scrambled.col(0).tail(w.rows() - 1).setConstant(kNan);
    scrambled.diagonal().setConstant(kInf);
    COMPARE_APPROX(f(scrambled), original);
}

// Every measure names itself and the fault.
void tst_Measures::rejectsBadMatrix()
{
    const std::pair<Eigen::MatrixXf, QString> cases[] = {
        {Eigen::MatrixXf::Ones(3, 4), ": the matrix is 3 x 4; a connectivity matrix must be square"},
        {upperTriangle(3, {{0, 1, 1}, {1, 2, -kInf}}), ": entry (1, 2) is infinite"},
    };
    for (const auto& [measure, f] : measures()) {
        for (const auto& [w, message] : cases) {
            QString error = "no exception";
            try {
                f(w);
            } catch (const std::invalid_argument& e) {
                error = e.what();
            } catch (const std::exception& e) {
                error = QStringLiteral("not std::invalid_argument: ") + e.what();
            }
            QVERIFY2(error.startsWith("quiver::" + measure + message), qPrintable(measure + ": " + error));
        }
    }
}

QTEST_APPLESS_MAIN(tst_Measures)
#include "tst_measures.moc"
