#include "plots/lineplot.h"
#include "plots/serieslist.h"
#include "plots/timeserieslineplot.h"
#include "quiver/measures.h"
#include "subject/connectivityobjectui.h"
#include "subject/graphfeaturesmodel.h"
#include "testsubject.h"

#include <QtCharts>
#include <QtWidgets>
#include <QtTest>

#include <limits>

using namespace QtCharts;

namespace {

// Table rows of the measures, headings in between.
const QMap<QString, int> kRows{{"clustering_coeff", 1}, {"local_efficiency", 2}, {"global_efficiency", 4},
                               {"degree", 6}, {"eigenvector_centrality", 7}, {"strength", 9}, {"nodal_ge", 10}};

// Dense symmetric matrices with weights between 0.1 and 0.9 that differ from
// matrix to matrix.
std::vector<Eigen::MatrixXf> weights(int nodes, int count)
{
    std::vector<Eigen::MatrixXf> matrices(std::size_t(count), Eigen::MatrixXf::Zero(nodes, nodes));
    for (int k = 0; k < count; ++k)
        for (int i = 0; i < nodes; ++i)
            for (int j = i + 1; j < nodes; ++j)
                matrices[k](i, j) = matrices[k](j, i) = 0.1f + float((i * 7 + j * 13 + k * 5) % 17) / 20.0f;
    return matrices;
}

} // namespace

Q_DECLARE_METATYPE(QList<TestCondition>)

class tst_GraphFeatures : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { m_dialog.reset(), m_subject.reset(), m_questions.clear(), m_messages.clear(); }

    void cautionAboveFiftyNodesForSlowMeasures_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("nodes");
        QTest::addColumn<bool>("asks");
        QTest::newRow("local efficiency, 50 nodes") << "local_efficiency" << 50 << false;
        QTest::newRow("local efficiency, 51 nodes") << "local_efficiency" << 51 << true;
        QTest::newRow("eigenvector centrality, 51 nodes") << "eigenvector_centrality" << 51 << true;
        QTest::newRow("nodal global efficiency, 51 nodes") << "nodal_ge" << 51 << true;
        QTest::newRow("degree never asks") << "degree" << 120 << false;
        QTest::newRow("global efficiency never asks") << "global_efficiency" << 120 << false;
    }

    // Declining leaves nothing computed.
    void cautionAboveFiftyNodesForSlowMeasures()
    {
        QFETCH(QString, id);
        QFETCH(int, nodes);
        QFETCH(bool, asks);
        open(weights(nodes, 1));
        click(id, 3);
        QCOMPARE(m_questions,
                 asks ? QStringList{"Caution. The matrix is too big and the computation might take too long. Continue?"}
                      : QStringList());
        QCOMPARE(result(id).isValid(), !asks);
    }

    void inspectPlotsOneLinePerMatrix_data()
    {
        QTest::addColumn<QList<TestCondition>>("conditions");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("without conditions, counted from 0")
            << QList<TestCondition>() << QStringList{"Series 0", "Series 1", "Series 2"};
        QTest::newRow("repeated condition, trigger hidden")
            << QList<TestCondition>{{"Rest", 1}, {"Cue", 2}, {"Rest", 1}} << QStringList{"Rest", "Cue", "Rest"};
        QTest::newRow("fewer conditions than matrices")
            << QList<TestCondition>{{"Rest", 1}, {"Task", 1}} << QStringList{"Rest", "Task", "Series 2"};
    }

    // A node-wise measure is a line per matrix over the nodes; the global
    // efficiency of several matrices one line over the matrices.
    void inspectPlotsOneLinePerMatrix()
    {
        QFETCH(QList<TestCondition>, conditions);
        QFETCH(QStringList, names);
        const std::vector<Eigen::MatrixXf> matrices = weights(4, 3);
        open(matrices, conditions);
        for (const char* id : {"clustering_coeff", "global_efficiency"}) {
            QVERIFY(!button(id, 4)->isEnabled());
            click(id, 3);
            click(id, 4);
        }
        auto* nodeWise = m_dialog->findChild<LinePlot*>();
        auto* global = m_dialog->findChild<TimeseriesLinePlot*>();
        QVERIFY(nodeWise && global && nodeWise->isVisible() && global->isVisible());
        QCOMPARE(nodeWise->windowTitle(), QString("Plot: Clustering Coefficient"));
        QCOMPARE(global->windowTitle(), QString("Plot: Global Efficiency"));
        auto* overNodes = qobject_cast<QBarCategoryAxis*>(nodeWise->chart()->axes(Qt::Horizontal).value(0));
        auto* overMatrices = qobject_cast<QBarCategoryAxis*>(global->chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(overNodes && overMatrices);
        QCOMPARE(overNodes->categories(), TestSubject::regions(4));
        QCOMPARE(nodeWise->series().size(), 3);
        QCOMPARE(global->series()->count(), 3);
        for (int k = 0; k < 3; ++k) {
            QLineSeries* series = nodeWise->series()[k];
            QCOMPARE(series->name(), names[k]);
            QCOMPARE(series->isVisible(), k >= conditions.size() || conditions[k].type != 2);
            QCOMPARE(series->at(3).y(), double(quiver::clustering_coeff(matrices[k])(3)));
            QCOMPARE(global->series()->at(k).y(), double(quiver::global_efficiency(matrices[k])));
            QCOMPARE(QString(overMatrices->at(k)).remove(QChar(0x200B)), names[k]);
        }
    }

    void problemsAreReportedAndStoreNothing()
    {
        open({});
        click("degree", 3);
        QCOMPARE(m_messages, QStringList{"Nothing to compute: The subject has no connectivity matrix, so there is "
                                         "nothing to compute."});
        QVERIFY(!result("degree").isValid());
        cleanup();

        std::vector<Eigen::MatrixXf> matrices = weights(4, 2);
        matrices[1](0, 2) = matrices[1](2, 0) = std::numeric_limits<float>::infinity();
        open(matrices);
        click("strength", 3);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().startsWith("Strength could not be computed: Strength could not be computed on the "
                                               "matrix slice-2.csv:\n"),
                 qPrintable(m_messages.first()));
        QVERIFY(!result("strength").isValid());
        QVERIFY(!button("strength", 4)->isEnabled());
    }

private:
    // Opens the dialog of a subject with these matrices (three nodes without),
    // recording the questions, all declined, and the messages.
    void open(const std::vector<Eigen::MatrixXf>& matrices, const QList<TestCondition>& conditions = {})
    {
        const int nodes = matrices.empty() ? 3 : int(matrices.front().rows());
        m_subject = std::make_unique<TestSubject>(TestSubject::regions(nodes), matrices, conditions);
        m_dialog = std::make_unique<ConnectivityObjectUI>(m_subject->subject.get());
        m_dialog->setAnswerProvider([this](const QString& title, const QString& text) {
            m_questions.append(title + " " + text);
            return QMessageBox::No;
        });
        m_dialog->setMessageReporter(
            [this](QWidget*, const QString& title, const QString& text) { m_messages.append(title + ": " + text); });
        m_dialog->show();
    }

    QTableView* view() const { return m_dialog->findChild<QTableView*>("tblView_GraphFeatures"); }
    GraphFeaturesModel* model() const { return qobject_cast<GraphFeaturesModel*>(view()->model()); }
    QPushButton* button(const QString& id, int column) const
    {
        return qobject_cast<QPushButton*>(view()->indexWidget(model()->index(kRows.value(id), column)));
    }

    void click(const QString& id, int column) const { QTest::mouseClick(button(id, column), Qt::LeftButton); }
    QVariant result(const QString& id) const { return model()->result(model()->featureKey(id)); }

    std::unique_ptr<TestSubject> m_subject;
    std::unique_ptr<ConnectivityObjectUI> m_dialog;
    QStringList m_questions;
    QStringList m_messages;
};

QTEST_MAIN(tst_GraphFeatures)
#include "tst_graphfeatures.moc"
