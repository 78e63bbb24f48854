#include "subject/nodesmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_NodesModel : public QObject {
    Q_OBJECT

private slots:
    void namesCanBeEditedButAreKept();
};

void tst_NodesModel::namesCanBeEditedButAreKept()
{
    NodesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setNodes({"Cuneus L", "Cuneus R"});
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex name = model.index(1, 0);
    QVERIFY(name.flags() & Qt::ItemIsEditable);
    QVERIFY(model.setData(name, "Thalamus"));
    QCOMPARE(name.data().toString(), QString("Cuneus R"));
    QVERIFY(!model.index(1, 1).data().isValid());
    model.setNodes({});
}

QTEST_MAIN(tst_NodesModel)
#include "tst_nodesmodel.moc"
