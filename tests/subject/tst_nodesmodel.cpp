#include "subject/nodesmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_NodesModel : public QObject {
    Q_OBJECT

private slots:
    void namesCanBeEditedButAreKept()
    {
        NodesModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setNodes({"Cuneus L", "Cuneus R"});
        const QModelIndex name = model.index(1, 0);
        QVERIFY(name.flags() & Qt::ItemIsEditable);
        QVERIFY(model.setData(name, "Thalamus"));
        QCOMPARE(name.data().toString(), QString("Cuneus R"));
        model.setNodes({});
    }
};

QTEST_MAIN(tst_NodesModel)
#include "tst_nodesmodel.moc"
