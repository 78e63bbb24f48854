#include "mainwindow/subjectsmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class tst_SubjectsModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsShowStudyIdsInAddingOrder();
    void removingOutsideTheTableChangesNothing_data();
    void removingOutsideTheTableChangesNothing();
    void passesTheModelTester();
};

void tst_SubjectsModel::initTestCase()
{
    // For QSignalSpy on layoutChanged().
    qRegisterMetaType<QList<QPersistentModelIndex>>();
    qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>();
}

void tst_SubjectsModel::rowsShowStudyIdsInAddingOrder()
{
    SubjectsModel model;
    QSignalSpy layoutChanged(&model, &SubjectsModel::layoutChanged);

    QCOMPARE(model.addSubject("sub-01"), 1);
    QCOMPARE(model.addSubject("sub-02"), 2);
    QCOMPARE(model.addSubject(u8"sub-03-\u00e9"), 3);

    QCOMPARE(layoutChanged.count(), 3);
    QCOMPARE(model.data(model.index(0, 0)).toString(), "sub-01");
    QCOMPARE(model.data(model.index(1, 0), Qt::EditRole).toString(), "sub-02");
    QCOMPARE(model.data(model.index(2, 0)).toString(), QString::fromUtf8(u8"sub-03-\u00e9"));
    QVERIFY(!model.data(model.index(0, 1)).isValid());
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), "Study ID");
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), "");
    QVERIFY(!model.headerData(2, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());

    model.removeSubject(1);
    QCOMPARE(layoutChanged.count(), 4);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QString::fromUtf8(u8"sub-03-\u00e9"));
}

void tst_SubjectsModel::removingOutsideTheTableChangesNothing_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::newRow("empty table, row 0") << 0 << 0;
    QTest::newRow("one past the end") << 2 << 2;
    QTest::newRow("negative") << 2 << -1;
}

void tst_SubjectsModel::removingOutsideTheTableChangesNothing()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    SubjectsModel model;
    for (int i = 0; i < rows; ++i)
        model.addSubject("sub");
    QSignalSpy layoutChanged(&model, &SubjectsModel::layoutChanged);

    model.removeSubject(row);
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(layoutChanged.count(), 1);
}

void tst_SubjectsModel::passesTheModelTester()
{
    SubjectsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.addSubject("a");
    model.addSubject("b");
    model.removeSubject(0);
    model.removeSubject(5);
}

QTEST_GUILESS_MAIN(tst_SubjectsModel)
#include "tst_subjectsmodel.moc"
