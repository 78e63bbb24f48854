// The monkey's steps through the main window and the subject windows it opens.
#include "monkey.h"

#include "study/connectivityobject.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QTableView>

namespace {

QPushButton* viewButton(Monkey& m, int row)
{
    auto* table = m.child<QTableView>("tbl_Subjects");
    table->scrollTo(table->model()->index(row, 1));
    return qobject_cast<QPushButton*>(table->indexWidget(table->model()->index(row, 1)));
}

// A subject with 1 to 4 nodes and 0 to 2 matrices; or a manifest that cannot
// be read, one whose matrix has the wrong size (listed, but "View" fails), or
// a cancelled file dialog.
void addSubject(Monkey& m)
{
    using namespace testmanifest;
    enum { Unreadable, WrongSize, Cancelled }; // and 3 to 5: loads
    const int kind = m.pick(6);
    const QString id = QStringLiteral("s%1").arg(m.records);
    const int nodes = kind == WrongSize ? 2 : 1 + m.pick(4);
    QStringList files;
    for (int k = kind == WrongSize ? 1 : m.pick(3); k > 0; --k) {
        files << QStringLiteral("m%1.csv").arg(k);
        writeFile(m.path(id, ""), files.last(), csv(Eigen::MatrixXf::Random(nodes + (kind == WrongSize), nodes)));
    }
    m.note(QStringLiteral("add %1: kind %2, %3 nodes, %4 matrices").arg(id).arg(kind).arg(nodes).arg(files.size()));
    writeManifest(m.path(id, ""), validManifest(id, QStringList{"a", "b", "c", "d"}.mid(0, nodes), files));
    const QString path = m.path(id, kind == Unreadable ? "missing.json" : "manifest.json");
    m.fileDialogAnswer = kind == Cancelled ? QString() : path;
    QTest::mouseClick(m.child("pb_AddSubject"), Qt::LeftButton);
    if (kind == Unreadable) {
        QCOMPARE(m.errors, QStringList{"The study manifest could not be read.\n\n" + path + ": cannot open file"});
        m.errors.clear();
    } else if (kind != Cancelled) {
        m.rows.append({id, m.records++, kind != WrongSize});
    }
}

void selectRow(Monkey& m)
{
    const int row = m.pick(m.rows.size());
    m.note(QStringLiteral("select row %1").arg(row));
    auto* table = m.child<QTableView>("tbl_Subjects");
    table->scrollTo(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 0)).center());
    m.selectedRow = row;
}

// A subject that loads opens a new dialog of its own; one that does not
// blames its file, opens none and leaves no connectivity object behind.
void view(Monkey& m)
{
    const int row = m.pick(m.rows.size());
    const Monkey::Row expected = m.rows[row];
    m.note("View " + expected.id);
    const int dialogs = Monkey::visible<ConnectivityObjectUI>().size();
    const int subjects = m.window()->findChildren<ConnectivityObject*>().size();
    QTest::mouseClick(viewButton(m, row), Qt::LeftButton);
    QCOMPARE(Monkey::visible<ConnectivityObjectUI>().size(), dialogs + expected.loads);
    QCOMPARE(m.window()->findChildren<ConnectivityObject*>().size(), subjects + expected.loads);
    if (expected.loads)
        return;
    const QString blame =
        "The subject \"" + expected.id + "\" could not be opened.\n\n" + m.path(expected.id, "m1.csv") + ':';
    QVERIFY2(m.errors.size() == 1 && m.errors.first().startsWith(blame), qPrintable(m.errors.join('\n')));
    m.errors.clear();
}

void removeSubjects(Monkey& m)
{
    const bool all = m.pick(4) == 0;
    m.note(all ? "Remove All" : "Remove selected");
    QTest::mouseClick(m.child(all ? "pb_RemoveAll" : "pb_RemoveSubject"), Qt::LeftButton);
    if (all)
        m.rows.clear();
    else if (m.selectedRow >= 0)
        m.rows.removeAt(m.selectedRow);
    m.selectedRow = -1;
}

void toggleKeepOnTop(Monkey& m)
{
    m.note("Keep on top");
    auto* box = m.child<QCheckBox>("cbox_KeepOnTop");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
}

} // namespace

void mainWindowStep(Monkey& m)
{
    // Adding is drawn most often, so that the others find something to act on.
    void (*const steps[])(Monkey&) = {addSubject, addSubject, addSubject, selectRow, selectRow,
                                      view,       view,       removeSubjects, toggleKeepOnTop};
    void (*step)(Monkey&) = steps[m.pick(std::size(steps))];
    (m.rows.isEmpty() && (step == selectRow || step == view) ? addSubject : step)(m);
}

void mainWindowCheck(Monkey& m)
{
    auto* table = m.child<QTableView>("tbl_Subjects");
    QCOMPARE(table->model()->rowCount(), m.rows.size());
    QStringList ids;
    for (int row = 0; row < m.rows.size(); ++row) {
        ids << m.rows[row].id;
        QCOMPARE(table->model()->index(row, 0).data().toString(), ids.last());
        QCOMPARE(viewButton(m, row) ? viewButton(m, row)->property("row").toInt() : -1, m.rows[row].record);
    }
    QCOMPARE(table->viewport()->findChildren<QPushButton*>().size(), m.rows.size());
    for (const ConnectivityObjectUI* dialog : Monkey::visible<ConnectivityObjectUI>())
        QVERIFY(ids.contains(QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId())));
    QCOMPARE(m.child<QLabel>("lbl_SubjectsCounter")->text(), QString::number(m.rows.size()));
    QCOMPARE(m.child("pb_RemoveAll")->isEnabled(), !m.rows.isEmpty());
    const QModelIndexList selected = table->selectionModel()->selectedIndexes();
    QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), m.selectedRow);
    QVERIFY2(m.errors.isEmpty() && Monkey::visible<QMessageBox>().isEmpty(), qPrintable(m.errors.join('\n')));
    QVERIFY(m.window()->isVisible());
    QCOMPARE(m.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
             m.child<QCheckBox>("cbox_KeepOnTop")->isChecked());
}
