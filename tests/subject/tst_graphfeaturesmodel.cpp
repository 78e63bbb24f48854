#include "plots/serieslist.h"
#include "subject/graphfeaturesmodel.h"

#include <QAbstractItemModelTester>
#include <QFont>
#include <QtTest>

class tst_GraphFeaturesModel : public QObject {
    Q_OBJECT

private slots:
    void keysFollowTheSortedIds();
    void resultCellShowsOnlyAScalarWithoutConditions_data();
    void resultCellShowsOnlyAScalarWithoutConditions();

private:
    // Rows: heading, "global_efficiency" (scalar), heading, "degree", "strength".
    static void fill(GraphFeaturesModel& model)
    {
        model.addFeature("Integration", "", "", "", false);
        model.addFeature("Integration", "Global efficiency", "Mean inverse path length.", "global_efficiency", true);
        model.addFeature("Centrality", "", "", "", false);
        model.addFeature("Centrality", "Degree", "Number of edges.", "degree", false);
        model.addFeature("Centrality", "Strength", "Sum of weights.", "strength", false);
    }
};

// Unknown ids, case included, get the key after the last.
void tst_GraphFeaturesModel::keysFollowTheSortedIds()
{
    GraphFeaturesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(model);
    QStringList ids;
    for (const QString id : {"degree", "global_efficiency", "strength", "Degree", "modularity"})
        ids.append(id + QString::number(model.featureKey(id)));
    QCOMPARE(ids, QStringList({"degree0", "global_efficiency1", "strength2", "Degree3", "modularity3"}));
    model.setResult(2, QVariant::fromValue(SeriesList{{3.0f}}));
    QCOMPARE(model.result(2).value<SeriesList>(), SeriesList{{3.0f}});
    QVERIFY(!model.result(0).isValid());

    QVERIFY(qvariant_cast<QFont>(model.index(2, 1).data(Qt::FontRole)).bold());
    QCOMPARE(model.index(3, 0).data().toString(), QString("Centrality"));
    QCOMPARE(model.index(3, 2).data(Qt::ToolTipRole).toString(), QString("Number of edges."));
}

void tst_GraphFeaturesModel::resultCellShowsOnlyAScalarWithoutConditions_data()
{
    QTest::addColumn<bool>("usesConditions");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("shown");
    QTest::newRow("before computing") << false << QVariant() << QVariant(0.0f);
    QTest::newRow("one matrix") << false << QVariant(0.75f) << QVariant(0.75f);
    QTest::newRow("several matrices") << false << QVariant::fromValue(SeriesList{{0.5f, 0.75f}}) << QVariant();
    QTest::newRow("with conditions, before") << true << QVariant() << QVariant();
    QTest::newRow("with conditions, after") << true << QVariant(0.75f) << QVariant();
}

void tst_GraphFeaturesModel::resultCellShowsOnlyAScalarWithoutConditions()
{
    QFETCH(bool, usesConditions);
    QFETCH(QVariant, stored);
    GraphFeaturesModel model;
    model.setUsesConditions(usesConditions);
    fill(model);
    if (stored.isValid())
        model.setResult(model.featureKey("global_efficiency"), stored);
    QTEST(model.index(1, 4).data(), "shown");
    QVERIFY(!model.index(3, 4).data().isValid());
}

QTEST_MAIN(tst_GraphFeaturesModel)
#include "tst_graphfeaturesmodel.moc"
