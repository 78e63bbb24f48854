#include "subject/nodesmodel.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

class tst_NodesModel : public QObject {
    Q_OBJECT

private slots:
    void showsOneRowPerName();
    void editingANameKeepsTheOldOne();
    void passesTheModelTester();
};

void tst_NodesModel::showsOneRowPerName()
{
    NodesModel model;
    model.setNodes({"Cuneus L", "Cuneus R", "Insula L"});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QString("Cuneus R"));
    QVERIFY(!model.index(1, 1).data().isValid());
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Node"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Inclusion"));
}

void tst_NodesModel::editingANameKeepsTheOldOne()
{
    QTableView view;
    NodesModel model;
    model.setNodes({"Cuneus L", "Cuneus R"});
    view.setModel(&model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QModelIndex name = model.index(0, 0);
    view.edit(name);
    auto* editor = view.findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "Thalamus");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(name.data().toString(), QString("Cuneus L"));
}

void tst_NodesModel::passesTheModelTester()
{
    NodesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setNodes({"a", "b", "c"});
    model.setNodes({});
}

QTEST_MAIN(tst_NodesModel)
#include "tst_nodesmodel.moc"
