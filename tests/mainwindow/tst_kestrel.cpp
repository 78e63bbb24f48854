#include "mainwindow/kestrel.h"
#include "mainwindow/subjectsmodel.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace testmanifest;

// The study IDs of the subject windows that are shown.
static QStringList shownSubjects()
{
    QStringList ids;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<ConnectivityObjectUI*>(widget); dialog && dialog->isVisible())
            ids.append(QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId()));
    return ids;
}

// Random click sequences run in tests/monkey; here are those that once went wrong.
class tst_Kestrel : public QObject {
    Q_OBJECT

private slots:
    void clickSequences_data();
    void clickSequences();
};

// Actions: "add" (sub-1, sub-2, ...), "select N" (click row N), "view N", "remove" ("Remove selected"),
// "removeAll", "drop N" (the model loses row N under the view). Afterwards the rows show the expected
// subjects, each "View" opens its own, no selection is left, and no removed subject keeps a window.
void tst_Kestrel::clickSequences_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("ids");
    // Was a crash: the selection outlived "Remove All" and pointed past the last row, which took a "View" button
    // away; the next removal used it. Removals must close the removed subjects' windows.
    QTest::newRow("selection left past the last row")
        << QStringList{"add", "add", "add", "view 1", "view 2", "select 1", "remove", "add", "select 2",
                       "removeAll", "add", "add", "remove", "select 0", "remove"}
        << QStringList{"sub-6"};
    // The model announces changes with layoutChanged() alone.
    QTest::newRow("selected row dropped by the model")
        << QStringList{"add", "add", "add", "select 2", "drop 2", "remove", "add", "select 2", "remove"}
        << QStringList{"sub-1", "sub-2"};
    // A focused "View" button selected its row.
    QTest::newRow("View does not select its row") << QStringList{"add", "add", "view 1", "remove"} << QStringList{"sub-1", "sub-2"};
}

void tst_Kestrel::clickSequences()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, ids);
    QTemporaryDir dir;
    Kestrel window;
    QStringList errors;
    window.setErrorReporter([&errors](QWidget*, const QString& message) { errors.append(message); });
    window.show();
    auto* table = window.findChild<QTableView*>("tbl_Subjects");
    const auto click = [table](int row, int column) { // a "View" button, or the cell
        const QModelIndex cell = table->model()->index(row, column);
        QTest::mouseClick(column ? table->indexWidget(cell) : table->viewport(), Qt::LeftButton, {}, column ? QPoint() : table->visualRect(cell).center());
    };
    int added = 0;
    for (const QString& action : actions) {
        const int row = action.section(' ', 1).toInt();
        if (action == "add") {
            const QString id = QStringLiteral("sub-%1").arg(++added);
            const QString folder = dir.path() + QString::fromUtf8(u8"/F\u00e4cher/") + id; // not ASCII
            writeFile(folder, "m.csv", csv(Eigen::Matrix3f::Identity()));
            QVERIFY(window.addSubjectFile(writeManifest(folder, validManifest(id, {"P_L", "P_R", "T_L"}, {"m.csv"}))));
        } else if (action.startsWith("drop")) {
            qobject_cast<SubjectsModel*>(table->model())->removeSubject(row);
        } else if (action.startsWith("remove")) {
            QTest::mouseClick(window.findChild<QPushButton*>(action == "remove" ? "pb_RemoveSubject" : "pb_RemoveAll"), Qt::LeftButton);
        } else {
            click(row, action.startsWith("view") ? 1 : 0);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(table->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(table->viewport()->findChildren<QPushButton*>().size(), ids.size());
    for (const QString& shown : shownSubjects())
        QVERIFY2(ids.contains(shown), qPrintable(shown));
    for (int row = 0; row < ids.size(); ++row) {
        QCOMPARE(table->model()->index(row, 0).data().toString(), ids[row]);
        const int windows = shownSubjects().count(ids[row]);
        click(row, 1);
        QCOMPARE(shownSubjects().count(ids[row]), windows + 1);
    }
    QVERIFY(errors.isEmpty());
}

QTEST_MAIN(tst_Kestrel)
#include "tst_kestrel.moc"
