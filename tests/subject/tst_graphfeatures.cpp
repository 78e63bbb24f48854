#include "plots/lineplot.h"
#include "plots/serieslist.h"
#include "plots/timeserieslineplot.h"
#include "quiver/measures.h"
#include "subject/connectivityobjectui.h"
#include "subject/graphfeaturesmodel.h"
#include "testsubject.h"

#include <QBarCategoryAxis>
#include <QCheckBox>
#include <QChart>
#include <QFont>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <limits>

using namespace QtCharts;

namespace {

// Table rows of the measures, headings in between.
const QMap<QString, int> kRows{{"clustering_coeff", 1}, {"local_efficiency", 2}, {"global_efficiency", 4},
                               {"degree", 6},           {"eigenvector_centrality", 7}, {"strength", 9},
                               {"nodal_ge", 10}};

// A dense symmetric matrix with weights between 0.1 and 0.9 that differ from
// matrix to matrix.
Eigen::MatrixXf weights(int nodes, int matrix)
{
    Eigen::MatrixXf w = Eigen::MatrixXf::Zero(nodes, nodes);
    for (int i = 0; i < nodes; ++i)
        for (int j = i + 1; j < nodes; ++j)
            w(i, j) = w(j, i) = 0.1f + float((i * 7 + j * 13 + matrix * 5) % 17) / 20.0f;
    return w;
}

} // namespace

Q_DECLARE_METATYPE(QList<TestCondition>)

class tst_GraphFeatures : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void tableListsTheMeasures_data();
    void tableListsTheMeasures();
    void headingsAreBoldAndSpanNameToResult();
    void cautionAboveFiftyNodesForSlowMeasures_data();
    void cautionAboveFiftyNodesForSlowMeasures();
    void decliningKeepsTheOldState();
    void computingStoresOneSeriesPerMatrix();
    void resultCellOfGlobalEfficiency_data();
    void resultCellOfGlobalEfficiency();
    void inspectNamesTheSeries_data();
    void inspectNamesTheSeries();
    void globalEfficiencyOverSeveralMatricesIsInspectedOverTheConditions_data();
    void globalEfficiencyOverSeveralMatricesIsInspectedOverTheConditions();
    void subjectWithoutMatricesComputesNothing();
    void failingMeasureIsReportedAndStoresNothing();
    void nodesTableListsTheNodesWithCheckedBoxes();

private:
    // Opens the dialog of a subject with the given matrices, or with
    // weights(nodes, k) for k < count.
    void open(int nodes, int count, const QList<TestCondition>& conditions = {}, std::optional<bool> usesProto = {});
    void open(int nodes, const std::vector<Eigen::MatrixXf>& matrices, const QList<TestCondition>& conditions = {},
              std::optional<bool> usesProto = {});
    QPushButton* button(const QString& id, int column) const;
    void compute(const QString& id) const { QTest::mouseClick(button(id, 3), Qt::LeftButton); }
    GraphFeaturesModel* model() const;
    QVariant result(const QString& id) const { return model()->result(model()->featureKey(id)); }

    std::unique_ptr<TestSubject> m_subject;
    ConnectivityObjectUI* m_dialog = nullptr;
    QStringList m_questions;
    QStringList m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::Yes;
};

void tst_GraphFeatures::open(int nodes, int count, const QList<TestCondition>& conditions,
                             std::optional<bool> usesProto)
{
    std::vector<Eigen::MatrixXf> matrices;
    for (int k = 0; k < count; ++k)
        matrices.push_back(weights(nodes, k));
    open(nodes, matrices, conditions, usesProto);
}

void tst_GraphFeatures::open(int nodes, const std::vector<Eigen::MatrixXf>& matrices,
                             const QList<TestCondition>& conditions, std::optional<bool> usesProto)
{
    m_subject = std::make_unique<TestSubject>(TestSubject::regions(nodes), matrices, conditions, usesProto);
    m_dialog = new ConnectivityObjectUI(m_subject->subject.get());
    m_dialog->setAnswerProvider([this](const QString& title, const QString& text) {
        m_questions.append(title + " " + text);
        return m_answer;
    });
    m_dialog->setMessageReporter(
        [this](QWidget*, const QString& title, const QString& text) { m_messages.append(title + ": " + text); });
    m_dialog->show();
}

void tst_GraphFeatures::cleanup()
{
    delete m_dialog;
    m_dialog = nullptr;
    m_subject.reset();
    m_questions.clear();
    m_messages.clear();
    m_answer = QMessageBox::Yes;
}

QPushButton* tst_GraphFeatures::button(const QString& id, int column) const
{
    auto* view = m_dialog->findChild<QTableView*>("tblView_GraphFeatures");
    return qobject_cast<QPushButton*>(view->indexWidget(view->model()->index(kRows.value(id), column)));
}

GraphFeaturesModel* tst_GraphFeatures::model() const
{
    return qobject_cast<GraphFeaturesModel*>(m_dialog->findChild<QTableView*>("tblView_GraphFeatures")->model());
}

void tst_GraphFeatures::tableListsTheMeasures_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("clustering keeps its spelling and curly quotes")
        << 1 << "Segragation" << "Clustering coefficient"
        << QString::fromUtf8("The clustering coefficient of a node is the probability that the neighors of this node "
                             "are also connected to each other. It is considered to be a measure of the local "
                             "connectivity or \u201Ccliqueness\u201D of a graph.");
    QTest::newRow("eigenvector keeps its typo")
        << 7 << "Centrality" << "Eigenvector centrality"
        << "Eigenector centrality is a self-referential measure of centrality; nodes have higher values if they "
           "connect to other nodes that also exhibit high eigenvector centrality.";
}

void tst_GraphFeatures::tableListsTheMeasures()
{
    QFETCH(int, row);
    open(3, 1);
    QCOMPARE(model()->rowCount(), 11);
    QTEST(model()->index(row, 0).data().toString(), "group");
    QTEST(model()->index(row, 1).data().toString(), "name");
    QTEST(model()->index(row, 2).data().toString(), "description");
    QTEST(model()->index(row, 2).data(Qt::ToolTipRole).toString(), "description");
}

void tst_GraphFeatures::headingsAreBoldAndSpanNameToResult()
{
    open(3, 1);
    auto* view = m_dialog->findChild<QTableView*>("tblView_GraphFeatures");
    QVERIFY(view->isColumnHidden(0));
    const QMap<int, QString> headings{{0, "Segragation"}, {3, "Integration"}, {5, "Centrality"}, {8, "Nodal Features"}};
    for (auto it = headings.cbegin(); it != headings.cend(); ++it) {
        QCOMPARE(model()->index(it.key(), 1).data().toString(), it.value());
        QVERIFY(qvariant_cast<QFont>(model()->index(it.key(), 1).data(Qt::FontRole)).bold());
        QCOMPARE(view->columnSpan(it.key(), 1), 4);
    }
    QCOMPARE(view->columnSpan(1, 1), 1);
}

void tst_GraphFeatures::cautionAboveFiftyNodesForSlowMeasures_data()
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

void tst_GraphFeatures::cautionAboveFiftyNodesForSlowMeasures()
{
    QFETCH(QString, id);
    QFETCH(int, nodes);
    QFETCH(bool, asks);
    open(nodes, 1);
    compute(id);
    QCOMPARE(m_questions,
             asks ? QStringList{"Caution. The matrix is too big and the computation might take too long. Continue?"}
                  : QStringList());
    QVERIFY(result(id).isValid());
}

void tst_GraphFeatures::decliningKeepsTheOldState()
{
    open(51, 2);
    m_answer = QMessageBox::No;
    compute("local_efficiency");
    QVERIFY(!result("local_efficiency").isValid());
    QVERIFY(!button("local_efficiency", 4)->isEnabled());

    m_answer = QMessageBox::Yes;
    compute("local_efficiency");
    const SeriesList first = result("local_efficiency").value<SeriesList>();
    QCOMPARE(first.size(), std::size_t(2));
    QVERIFY(button("local_efficiency", 4)->isEnabled());

    m_answer = QMessageBox::No;
    compute("local_efficiency");
    QCOMPARE(result("local_efficiency").value<SeriesList>(), first);
    QVERIFY(button("local_efficiency", 4)->isEnabled());
    QCOMPARE(m_questions.size(), 3);
}

void tst_GraphFeatures::computingStoresOneSeriesPerMatrix()
{
    open(6, 3);
    compute("nodal_ge");
    const SeriesList series = result("nodal_ge").value<SeriesList>();
    QCOMPARE(series.size(), std::size_t(3));
    for (int k = 0; k < 3; ++k) {
        const Eigen::ArrayXf expected = quiver::nodal_global_efficiency(weights(6, k));
        QCOMPARE(series[std::size_t(k)], std::vector<float>(expected.data(), expected.data() + expected.size()));
    }
    QCOMPARE(button("nodal_ge", 4)->property("win_title").toString(), QString("Nodal Global Efficiency"));
    QVERIFY(!result("degree").isValid());
}

void tst_GraphFeatures::resultCellOfGlobalEfficiency_data()
{
    QTest::addColumn<bool>("usesProto");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<bool>("showsValueAfter");
    QTest::newRow("without protocol") << false << QVariant(0.0f) << true;
    QTest::newRow("with protocol") << true << QVariant() << false;
}

void tst_GraphFeatures::resultCellOfGlobalEfficiency()
{
    QFETCH(bool, usesProto);
    QFETCH(bool, showsValueAfter);
    open(5, 1, {}, usesProto);
    const QModelIndex cell = model()->index(kRows["global_efficiency"], 4);
    QTEST(cell.data(), "before");
    compute("global_efficiency");
    const float value = quiver::global_efficiency(weights(5, 0));
    QVERIFY(value > 0.0f);
    QCOMPARE(result("global_efficiency"), QVariant(value));
    QCOMPARE(cell.data(), showsValueAfter ? QVariant(value) : QVariant());
}

void tst_GraphFeatures::inspectNamesTheSeries_data()
{
    QTest::addColumn<QList<TestCondition>>("conditions");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<bool>>("visible");
    QTest::newRow("without conditions, counted from 0")
        << QList<TestCondition>() << QStringList{"Series 0", "Series 1", "Series 2"} << QList<bool>{true, true, true};
    QTest::newRow("after the conditions, trigger hidden")
        << QList<TestCondition>{{"Rest", 1}, {"Cue", 2}, {"Rest", 1}} << QStringList{"Rest", "Cue", "Rest"}
        << QList<bool>{true, false, true};
    QTest::newRow("fewer conditions than matrices")
        << QList<TestCondition>{{"Rest", 1}, {"Task", 1}} << QStringList{"Rest", "Task", "Series 2"}
        << QList<bool>{true, true, true};
}

void tst_GraphFeatures::inspectNamesTheSeries()
{
    QFETCH(QList<TestCondition>, conditions);
    QFETCH(QStringList, names);
    QFETCH(QList<bool>, visible);
    open(4, 3, conditions);
    compute("clustering_coeff");
    QTest::mouseClick(button("clustering_coeff", 4), Qt::LeftButton);
    QTest::mouseClick(button("clustering_coeff", 4), Qt::LeftButton);

    const QList<LinePlot*> plots = m_dialog->findChildren<LinePlot*>();
    QCOMPARE(plots.size(), 2);
    LinePlot* plot = plots.first();
    QVERIFY(plot->isVisible());
    QCOMPARE(plot->windowTitle(), QString("Plot: Clustering Coefficient"));
    QCOMPARE(plot->series().size(), names.size());
    for (int k = 0; k < names.size(); ++k) {
        QCOMPARE(plot->series()[k]->name(), names[k]);
        QCOMPARE(plot->series()[k]->count(), 4);
        QCOMPARE(plot->series()[k]->isVisible(), visible[k]);
    }
    auto* axis = qobject_cast<QBarCategoryAxis*>(plot->chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(axis);
    QCOMPARE(axis->categories(), QStringList({"Region 0", "Region 1", "Region 2", "Region 3"}));
    QCOMPARE(plot->chart()->axes(Qt::Vertical).first()->titleText(), QString("Clustering Coefficient"));
}

void tst_GraphFeatures::globalEfficiencyOverSeveralMatricesIsInspectedOverTheConditions_data()
{
    QTest::addColumn<QList<TestCondition>>("conditions");
    QTest::addColumn<QStringList>("categories");
    QTest::newRow("repeated conditions are separate categories")
        << QList<TestCondition>{{"Rest", 1}, {"Task", 1}, {"Rest", 1}} << QStringList{"Rest", "Task", "Rest"};
    QTest::newRow("without protocol") << QList<TestCondition>() << QStringList{"Series 0", "Series 1", "Series 2"};
}

void tst_GraphFeatures::globalEfficiencyOverSeveralMatricesIsInspectedOverTheConditions()
{
    QFETCH(QList<TestCondition>, conditions);
    QFETCH(QStringList, categories);
    open(5, 3, conditions);
    QPushButton* inspect = button("global_efficiency", 4);
    QVERIFY(inspect);
    QVERIFY(!inspect->isEnabled());
    compute("global_efficiency");
    QVERIFY(inspect->isEnabled());
    QTest::mouseClick(inspect, Qt::LeftButton);

    auto* plot = m_dialog->findChild<TimeseriesLinePlot*>();
    QVERIFY(plot);
    QCOMPARE(plot->windowTitle(), QString("Plot: Global Efficiency"));
    QCOMPARE(plot->series()->count(), 3);
    auto* axis = qobject_cast<QBarCategoryAxis*>(plot->chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(axis);
    QCOMPARE(axis->count(), 3);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(plot->series()->at(k).y(), double(quiver::global_efficiency(weights(5, k))));
        QCOMPARE(QString(axis->at(k)).remove(QChar(0x200B)), categories[k]);
    }
}

void tst_GraphFeatures::subjectWithoutMatricesComputesNothing()
{
    open(3, 0);
    compute("degree");
    compute("global_efficiency");
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(m_messages.first().contains("nothing to compute"));
    QVERIFY(!result("degree").isValid());
    QVERIFY(!result("global_efficiency").isValid());
    QVERIFY(!button("degree", 4)->isEnabled());
}

void tst_GraphFeatures::failingMeasureIsReportedAndStoresNothing()
{
    Eigen::MatrixXf broken = weights(4, 1);
    broken(0, 2) = broken(2, 0) = std::numeric_limits<float>::infinity();
    open(4, {weights(4, 0), broken});
    compute("strength");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains("slice-2.csv"), qPrintable(m_messages.first()));
    QVERIFY2(m_messages.first().contains("Strength"), qPrintable(m_messages.first()));
    QVERIFY(!result("strength").isValid());
    QVERIFY(!button("strength", 4)->isEnabled());
}

void tst_GraphFeatures::nodesTableListsTheNodesWithCheckedBoxes()
{
    open(3, 1);
    QVERIFY(QMetaObject::invokeMethod(m_dialog, "prepareNodesTable"));
    auto* view = m_dialog->findChild<QTableView*>("tblView_Nodes");
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(view->model()->index(2, 0).data().toString(), QString("Region 2"));
    auto* box = qobject_cast<QCheckBox*>(view->indexWidget(view->model()->index(2, 1)));
    QVERIFY(box);
    QVERIFY(box->isChecked());
    QCOMPARE(box->property("row").toInt(), 2);
}

QTEST_MAIN(tst_GraphFeatures)
#include "tst_graphfeatures.moc"
