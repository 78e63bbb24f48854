#include "plots/serieslist.h"
#include "subject/graphfeaturesmodel.h"

#include <QAbstractItemModelTester>
#include <QFont>
#include <QSignalSpy>
#include <QtTest>

class tst_GraphFeaturesModel : public QObject {
    Q_OBJECT

private slots:
    void rowsAreHeadingsOrMeasures();
    void keysFollowTheSortedIds_data();
    void keysFollowTheSortedIds();
    void resultsAreStoredPerKey();
    void resultCellShowsOnlyAScalarWithoutConditions_data();
    void resultCellShowsOnlyAScalarWithoutConditions();
    void passesTheModelTester();

private:
    // Two groups: "Integration" with the scalar "global_efficiency", and
    // "Centrality" with "degree" and "strength".
    static void fill(GraphFeaturesModel& model);
};

void tst_GraphFeaturesModel::fill(GraphFeaturesModel& model)
{
    model.addFeature("Integration", "", "", "", false);
    model.addFeature("Integration", "Global efficiency", "Mean inverse path length.", "global_efficiency", true);
    model.addFeature("Centrality", "", "", "", false);
    model.addFeature("Centrality", "Degree", "Number of edges.", "degree", false);
    model.addFeature("Centrality", "Strength", "Sum of weights.", "strength", false);
}

void tst_GraphFeaturesModel::rowsAreHeadingsOrMeasures()
{
    GraphFeaturesModel model;
    QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
    QCOMPARE(model.addFeature("Integration", "", "", "", false), 0);
    QCOMPARE(model.addFeature("Integration", "Global efficiency", "Mean inverse path length.", "global_efficiency",
                              true),
             1);
    QCOMPARE(layout.count(), 2);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 5);

    QCOMPARE(model.index(0, 1).data().toString(), QString("Integration"));
    QVERIFY(qvariant_cast<QFont>(model.index(0, 1).data(Qt::FontRole)).bold());
    QVERIFY(!model.index(0, 2).data().isValid());

    QCOMPARE(model.index(1, 0).data().toString(), QString("Integration"));
    QCOMPARE(model.index(1, 1).data().toString(), QString("Global efficiency"));
    QCOMPARE(model.index(1, 2).data().toString(), QString("Mean inverse path length."));
    QCOMPARE(model.index(1, 2).data(Qt::ToolTipRole).toString(), QString("Mean inverse path length."));
    QVERIFY(!model.index(1, 1).data(Qt::FontRole).isValid());

    const QStringList headers{"Type", "Name", "Description", "", "Result"};
    for (int section = 0; section < 5; ++section)
        QCOMPARE(model.headerData(section, Qt::Horizontal).toString(), headers[section]);
}

void tst_GraphFeaturesModel::keysFollowTheSortedIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("key");
    QTest::newRow("first id in order") << "degree" << 0;
    QTest::newRow("added first, sorted second") << "global_efficiency" << 1;
    QTest::newRow("last") << "strength" << 2;
    QTest::newRow("ids are case-sensitive") << "Degree" << 3;
    QTest::newRow("unknown") << "modularity" << 3;
}

void tst_GraphFeaturesModel::keysFollowTheSortedIds()
{
    QFETCH(QString, id);
    QFETCH(int, key);
    GraphFeaturesModel model;
    fill(model);
    QCOMPARE(model.featureKey(id), key);
}

void tst_GraphFeaturesModel::resultsAreStoredPerKey()
{
    GraphFeaturesModel model;
    fill(model);
    QVERIFY(!model.result(0).isValid());

    QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
    model.setResult(0, QVariant::fromValue(SeriesList{{1.0f, 2.0f}}));
    model.setResult(2, QVariant::fromValue(SeriesList{{3.0f}}));
    model.setResult(0, QVariant::fromValue(SeriesList{{4.0f}}));
    QCOMPARE(layout.count(), 3);
    QCOMPARE(model.result(0).value<SeriesList>(), SeriesList{{4.0f}});
    QCOMPARE(model.result(2).value<SeriesList>(), SeriesList{{3.0f}});
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
    QFETCH(QVariant, shown);
    GraphFeaturesModel model;
    model.setUsesConditions(usesConditions);
    fill(model);
    if (stored.isValid())
        model.setResult(model.featureKey("global_efficiency"), stored);
    QCOMPARE(model.index(1, 4).data(), shown);
    QVERIFY(!model.index(3, 4).data().isValid());
}

void tst_GraphFeaturesModel::passesTheModelTester()
{
    GraphFeaturesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(model);
    model.setResult(model.featureKey("degree"), QVariant::fromValue(SeriesList{{1.0f}}));
    model.setResult(model.featureKey("global_efficiency"), 0.5f);
}

QTEST_MAIN(tst_GraphFeaturesModel)
#include "tst_graphfeaturesmodel.moc"
