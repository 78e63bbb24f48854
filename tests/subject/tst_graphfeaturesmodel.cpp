#include "plots/serieslist.h"
#include "subject/graphfeaturesmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_GraphFeaturesModel : public QObject {
    Q_OBJECT

private slots:
    void resultCellShowsOnlyAScalarWithoutConditions_data()
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

    // Keys count the ids in sorted order; an unknown one gets the key after the
    // last. Only the scalar measure has a result cell.
    void resultCellShowsOnlyAScalarWithoutConditions()
    {
        QFETCH(bool, usesConditions);
        QFETCH(QVariant, stored);
        GraphFeaturesModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setUsesConditions(usesConditions);
        model.addFeature("Integration", "", "", "", false);
        model.addFeature("Integration", "Global efficiency", "Mean inverse path length.", "global_efficiency", true);
        model.addFeature("Centrality", "Degree", "Number of edges.", "degree", false);
        QCOMPARE(model.featureKey("global_efficiency"), 1);
        QCOMPARE(model.featureKey("Degree"), 2);
        if (stored.isValid())
            model.setResult(1, stored);
        QTEST(model.index(1, 4).data(), "shown");
        QVERIFY(!model.index(2, 4).data().isValid());
    }
};

QTEST_MAIN(tst_GraphFeaturesModel)
#include "tst_graphfeaturesmodel.moc"
