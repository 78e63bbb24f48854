#include "mainwindow/kestrel.h"
#include "mainwindow/subjectsmodel.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace testmanifest;

// Random click sequences run in tests/monkey; here are those that once went
// wrong.
class tst_Kestrel : public QObject {
    Q_OBJECT

private slots:
    void clickSequences_data();
    void clickSequences();

private:
    // The study IDs of the subject windows that are shown.
    static QStringList shownSubjects()
    {
        QStringList ids;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<ConnectivityObjectUI*>(widget); dialog && dialog->isVisible())
                ids.append(QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId()));
        return ids;
    }
    // Presses the row's "View" button; the study ID of the window that opened.
    QString view(QTableView* table, int row)
    {
        const QStringList before = shownSubjects();
        if (QWidget* button = table->indexWidget(table->model()->index(row, 1)))
            QTest::mouseClick(button, Qt::LeftButton);
        QStringList after = shownSubjects();
        for (const QString& id : before)
            after.removeOne(id);
        return after.value(0);
    }

    QTemporaryDir m_dir;
};

// Actions: "add" (sub-1, sub-2, ...), "select N" (click row N), "view N",
// "remove" ("Remove selected"), "removeAll", "drop N" (the model loses row N
// under the view). Afterwards the rows show the expected subjects, each
// "View" opens its own, no selection is left, and no removed subject keeps
// a window.
void tst_Kestrel::clickSequences_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("ids");
    // Was a crash: the selection outlived "Remove All" and pointed past the
    // last row, which took a "View" button away; the next removal used it.
    QTest::newRow("selection left past the last row")
        << QStringList{"add", "add", "add", "view 0", "view 2", "select 2", "removeAll", "add", "add", "remove", "select 0", "remove"}
        << QStringList{"sub-5"};
    // The model announces changes with layoutChanged() alone.
    QTest::newRow("selected row dropped by the model")
        << QStringList{"add", "add", "add", "select 2", "drop 2", "remove", "add", "select 2", "remove"}
        << QStringList{"sub-1", "sub-2"};
    // A focused "View" button selected its row.
    QTest::newRow("View does not select its row") << QStringList{"add", "add", "view 1", "remove"}
                                                  << QStringList{"sub-1", "sub-2"};
    QTest::newRow("the middle of three closes its window")
        << QStringList{"add", "add", "add", "view 1", "view 2", "select 1", "remove"} << QStringList{"sub-1", "sub-3"};
}

void tst_Kestrel::clickSequences()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, ids);
    Kestrel window;
    QStringList errors;
    window.setErrorReporter([&errors](QWidget*, const QString& message) { errors.append(message); });
    window.show();
    auto* table = window.findChild<QTableView*>("tbl_Subjects");
    int added = 0;
    for (const QString& action : actions) {
        const int row = action.section(' ', 1).toInt();
        if (action == "add") {
            const QString id = QStringLiteral("sub-%1").arg(++added);
            const QString dir = m_dir.path() + QString::fromUtf8(u8"/F\u00e4cher/") + id; // not ASCII
            writeFile(dir, "m.csv", csv(Eigen::Matrix3f::Identity()));
            QVERIFY(window.addSubjectFile(writeManifest(dir, validManifest(id, {"P_L", "P_R", "T_L"}, {"m.csv"}))));
        } else if (action.startsWith("select")) {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 0)).center());
        } else if (action.startsWith("view")) {
            QVERIFY(!view(table, row).isEmpty());
        } else if (action.startsWith("drop")) {
            qobject_cast<SubjectsModel*>(table->model())->removeSubject(row);
        } else {
            const char* button = action == "remove" ? "pb_RemoveSubject" : "pb_RemoveAll";
            QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(table->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(window.findChild<QLabel*>("lbl_SubjectsCounter")->text(), QString::number(ids.size()));
    QCOMPARE(table->viewport()->findChildren<QPushButton*>().size(), ids.size());
    for (const QString& shown : shownSubjects())
        QVERIFY2(ids.contains(shown), qPrintable(shown));
    for (int row = 0; row < ids.size(); ++row) {
        QCOMPARE(table->model()->index(row, 0).data().toString(), ids[row]);
        QCOMPARE(view(table, row), ids[row]);
    }
    QVERIFY(errors.isEmpty());
}

QTEST_MAIN(tst_Kestrel)
#include "tst_kestrel.moc"
