#include "mainwindow/subjectsmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_SubjectsModel : public QObject {
    Q_OBJECT

private slots:
    // Every change, even a removal outside the table, is one layoutChanged(): the view has no other way to
    // learn of it.
    void rowsAndLayoutChanges()
    {
        SubjectsModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        int changes = 0;
        connect(&model, &SubjectsModel::layoutChanged, [&changes] { ++changes; });
        for (const char* id : {"sub-01", "sub-02", u8"sub-\u00e9"})
            model.addSubject(id);
        for (int row : {1, 2, -1})
            model.removeSubject(row);
        QCOMPARE(changes, 6);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(1, 0).data().toString(), QString::fromUtf8(u8"sub-\u00e9"));
    }
};

QTEST_GUILESS_MAIN(tst_SubjectsModel)
#include "tst_subjectsmodel.moc"
