#include "approx.h"

#include "quiver/measures.h"

#include <functional>
#include <limits>
#include <map>

Q_DECLARE_METATYPE(Eigen::MatrixXf)
Q_DECLARE_METATYPE(Eigen::ArrayXf)

static const float kNan = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

// Edges (from < to, weight) in the upper triangle, zeros below: every graph is also a non-symmetric input.
static Eigen::MatrixXf graph(int n, std::initializer_list<std::tuple<int, int, float>> edges)
{
    Eigen::MatrixXf w = Eigen::MatrixXf::Zero(n, n);
    for (const auto& [from, to, weight] : edges)
        w(from, to) = weight;
    return w;
}

static Eigen::ArrayXf values(std::initializer_list<float> list)
{
    return Eigen::Map<const Eigen::ArrayXf>(list.begin(), Eigen::Index(list.size()));
}

// Every measure by its id; global efficiency as a one-element array.
static const std::map<QString, std::function<Eigen::ArrayXf(const Eigen::MatrixXf&)>> kMeasures = {
    {"clustering_coeff", quiver::clustering_coeff}, {"local_efficiency", quiver::local_efficiency},
    {"global_efficiency", [](const Eigen::MatrixXf& w) { return values({quiver::global_efficiency(w)}); }},
    {"degree", quiver::degree}, {"eigenvector_centrality", quiver::eigenvector_centrality},
    {"strength", quiver::strength}, {"nodal_global_efficiency", quiver::nodal_global_efficiency}};


class tst_Measures : public QObject {
    Q_OBJECT

private slots:
    void knownValues_data();
    void knownValues();
    void rejectsBadMatrix();
};

void tst_Measures::knownValues_data()
{
    QTest::addColumn<Eigen::MatrixXf>("w");
    QTest::addColumn<QString>("measure");
    QTest::addColumn<Eigen::ArrayXf>("expected");
    const auto add = [](const char* name, const Eigen::MatrixXf& w, std::map<QString, Eigen::ArrayXf> rows) {
        for (const auto& [measure, expected] : rows)
            QTest::addRow("%s/%s", name, qPrintable(measure)) << w << measure << expected;
    };
    // Lengths 1/w: the shortest 1-2 path is 1-0-2 (3); triangle term .5. Clustering and local efficiency
    // scale the weights by the largest, so scaling all weights changes neither.
    for (float c : {1.0f, 4.0f})
        add(c == 1 ? "weighted triangle" : "weighted triangle x 4", c * graph(3, {{0, 1, 1}, {0, 2, 0.5f}, {1, 2, 0.25f}}),
            {{"strength", c * values({1.5f, 1.25f, 0.75f})}, {"clustering_coeff", values({0.5f, 0.5f, 0.5f})},
             {"local_efficiency", values({0.5f, 0.5f, 0.5f})}, {"global_efficiency", values({c * 11 / 18})},
             {"nodal_global_efficiency", c * values({0.75f, 2.0f / 3, 5.0f / 12})}});
    // 1-2 = 1/64 (cube root 1/4, length 4): in N_0 and N_3 the shortest 1-2 path takes two hops.
    add("K4 with a weak edge", graph(4, {{0, 1, 1}, {0, 2, 1}, {0, 3, 1}, {1, 3, 1}, {2, 3, 1}, {1, 2, 1.0f / 64}}),
        {{"local_efficiency", values({5.0f / 6, 0.5f, 0.5f, 5.0f / 6})}, {"clustering_coeff", values({0.75f, 0.5f, 0.5f, 0.75f})}});
    const float phi = (1 + std::sqrt(5.0f)) / 2, end = 1 / std::sqrt(2 + 2 * phi * phi), half = std::sqrt(0.5f);
    add("path", graph(4, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}}), {{"eigenvector_centrality", values({end, phi * end, phi * end, end})}});
    // Unreachable pairs add 0; the heavier pair alone has the largest eigenvalue.
    add("two components and an isolated node", graph(5, {{0, 1, 2}, {2, 3, 0.5f}}),
        {{"nodal_global_efficiency", values({0.5f, 0.5f, 0.125f, 0.125f, 0})}, {"global_efficiency", values({0.25f})},
         {"eigenvector_centrality", values({half, half, 0, 0, 0})}});
    add("negative and NaN", graph(3, {{0, 1, -1}, {1, 2, 0.5f}, {0, 2, kNan}}),
        {{"degree", values({1, 2, 1})}, {"strength", values({1, 1.5f, 0.5f})},
         {"nodal_global_efficiency", values({2.0f / 3, 0.75f, 5.0f / 12})}});
    for (const auto& [measure, _] : kMeasures) {
        const bool scalar = measure == "global_efficiency";
        add("0 nodes", Eigen::MatrixXf(0, 0), {{measure, scalar ? values({0}) : Eigen::ArrayXf()}});
        add("1 node, diagonal ignored", Eigen::MatrixXf::Constant(1, 1, 0.7f), {{measure, values({0})}});
        add("2 nodes, no edge", graph(2, {{0, 1, kNan}}), {{measure, scalar ? values({0}) : values({0, 0})}});
    }
}

void tst_Measures::knownValues()
{
    QFETCH(Eigen::MatrixXf, w);
    QFETCH(QString, measure);
    QFETCH(Eigen::ArrayXf, expected);
    COMPARE_APPROX(kMeasures.at(measure)(w), expected);
}

// Every measure names itself and the fault.
void tst_Measures::rejectsBadMatrix()
{
    for (const auto& [measure, f] : kMeasures) {
        for (const Eigen::MatrixXf& w : {Eigen::MatrixXf(Eigen::MatrixXf::Ones(3, 4)), graph(3, {{0, 1, 1}, {1, 2, -kInf}})}) {
            try {
                f(w);
                QFAIL("no exception");
            } catch (const std::invalid_argument& e) {
                const char* fault = w.cols() == 4 ? ": the matrix is 3 x 4; a connectivity matrix must be square" : ": entry (1, 2) is infinite";
                QVERIFY2(QString(e.what()).startsWith("quiver::" + measure + fault), e.what());
            }
        }
    }
}

QTEST_APPLESS_MAIN(tst_Measures)
#include "tst_measures.moc"
