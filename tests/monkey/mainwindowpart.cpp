// The monkey's part for the main window and the subject windows it opens.
#include "monkey.h"

#include "mainwindow/kestrel.h"
#include "study/connectivityobject.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace testmanifest;

namespace {

QTableView* table(Monkey& m)
{
    return m.window()->findChild<QTableView*>(QStringLiteral("tbl_Subjects"));
}

QPushButton* button(Monkey& m, const char* name)
{
    return m.window()->findChild<QPushButton*>(QString::fromLatin1(name));
}

QCheckBox* keepOnTop(Monkey& m)
{
    return m.window()->findChild<QCheckBox*>(QStringLiteral("cbox_KeepOnTop"));
}

QWidget* indexWidget(Monkey& m, int row)
{
    return table(m)->indexWidget(table(m)->model()->index(row, 1));
}

QString manifestPathOf(const ConnectivityObjectUI* dialog)
{
    return QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getManifestPath());
}

// Chooses the manifest in the (seamed) file dialog and presses "Add subject".
void addThroughTheButton(Monkey& m, const QString& path)
{
    m.answerFileDialog(path);
    QTest::mouseClick(button(m, "pb_AddSubject"), Qt::LeftButton);
}

// A subject with 1 to 4 nodes and 0 to 2 matrices; it loads.
void addGoodSubject(Monkey& m)
{
    const QString dir = m.newFolder(QStringLiteral("good"));
    const QString id = QFileInfo(dir).fileName();
    const int nodes = 1 + m.pick(4);
    QStringList names;
    for (int i = 0; i < nodes; ++i)
        names.append(QStringLiteral("N%1").arg(i));
    QStringList files;
    for (int k = m.pick(3); k > 0; --k) {
        files.append(QStringLiteral("m%1.csv").arg(k));
        writeFile(dir, files.last(), csv(Eigen::MatrixXf::Random(nodes, nodes)));
    }
    const QString path = writeManifest(dir, validManifest(id, names, files));
    m.note(QStringLiteral("  %1: %2 nodes, %3 matrices").arg(id).arg(nodes).arg(files.size()));

    addThroughTheButton(m, path);
    m.rows.append({id, m.records++, path, true, QString()});
}

// A manifest that cannot be read, or one whose matrix does not load.
void addBrokenSubject(Monkey& m)
{
    enum Kind { Missing, BadJson, MissingKey, DeepNesting, RaggedMatrix, WrongNodeCount, KindCount };
    const char* const names[] = {"missing file", "bad JSON", "missing key", "deep nesting", "ragged matrix",
                                 "wrong node count"};
    const int kind = m.pick(KindCount);
    const QString dir = m.newFolder(QStringLiteral("broken"));
    const QString id = QFileInfo(dir).fileName();
    QString path = dir + QStringLiteral("/manifest.json");
    QString problem;
    QJsonObject manifest = validManifest(id, {QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("m.csv")});
    switch (kind) {
    case Missing:
        problem = QStringLiteral(": cannot open file");
        break;
    case BadJson:
        writeFile(dir, QStringLiteral("manifest.json"), "{\n  \"unique_id\": ,\n}\n");
        problem = QStringLiteral("(2): expected value");
        break;
    case MissingKey:
        removeKey(manifest, QStringLiteral("result_data.final_mtx"));
        writeManifest(dir, manifest);
        problem = QStringLiteral(": No such node (result_data.final_mtx)");
        break;
    case DeepNesting:
        writeFile(dir, QStringLiteral("manifest.json"),
                  "{\"x\":" + QByteArray(100000, '[') + QByteArray(100000, ']') + "}");
        problem = QStringLiteral("(1): objects and arrays nested deeper than 64 levels");
        break;
    case RaggedMatrix:
        writeFile(dir, QStringLiteral("m.csv"), "1,2\n3\n");
        writeManifest(dir, manifest);
        break;
    case WrongNodeCount:
        writeFile(dir, QStringLiteral("m.csv"), csv(Eigen::Matrix3f::Identity()));
        writeManifest(dir, manifest);
        break;
    }
    m.note(QStringLiteral("  %1: %2").arg(id, QString::fromLatin1(names[kind])));

    addThroughTheButton(m, path);
    if (kind == RaggedMatrix || kind == WrongNodeCount) {
        // The manifest is fine: the subject is listed, and fails on "View".
        m.rows.append({id, m.records++, path, false, dir + QStringLiteral("/m.csv")});
        return;
    }
    QCOMPARE(m.errors().size(), 1);
    QCOMPARE(m.errors().takeFirst(), "The study manifest could not be read.\n\n" + path + problem);
}

void cancelTheFileDialog(Monkey& m)
{
    addThroughTheButton(m, QString());
}

// Clicks a row, or (with a chance of one in four) clears the selection with
// a control-click on the selected row.
void selectRowOrNone(Monkey& m)
{
    QTableView* view = table(m);
    const bool none = m.rows.isEmpty() || m.chance(0.25);
    const int row = none ? m.selectedRow : m.pick(m.rows.size());
    m.note(none ? QStringLiteral("  none") : QStringLiteral("  row %1").arg(row));
    if (row < 0)
        return;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, none ? Qt::ControlModifier : Qt::NoModifier,
                      view->visualRect(index).center());
    m.selectedRow = none ? -1 : row;
}

// Presses a random row's "View": a subject that loads opens a new dialog of
// its own; one that does not reports the file to blame, opens none and
// leaves no connectivity object behind.
void view(Monkey& m)
{
    if (m.rows.isEmpty())
        return;
    const int row = m.pick(m.rows.size());
    const Monkey::Row& expected = m.rows[row];
    m.note(QStringLiteral("  row %1 (%2)").arg(row).arg(expected.studyId));
    auto* viewButton = qobject_cast<QPushButton*>(indexWidget(m, row));
    QVERIFY(viewButton);
    table(m)->scrollTo(table(m)->model()->index(row, 1));

    const QList<ConnectivityObjectUI*> before = m.visibleWindows<ConnectivityObjectUI>();
    const int subjects = m.window()->findChildren<ConnectivityObject*>().size();
    QTest::mouseClick(viewButton, Qt::LeftButton);
    QList<ConnectivityObjectUI*> opened = m.visibleWindows<ConnectivityObjectUI>();
    for (ConnectivityObjectUI* dialog : before)
        opened.removeOne(dialog);

    if (!expected.loads) {
        QVERIFY(opened.isEmpty());
        QCOMPARE(m.window()->findChildren<ConnectivityObject*>().size(), subjects);
        QCOMPARE(m.errors().size(), 1);
        const QString error = m.errors().takeFirst();
        QVERIFY2(error.startsWith("The subject \"" + expected.studyId + "\" could not be opened.\n\n"
                                  + expected.blamedFile + ":"),
                 qPrintable(error));
        return;
    }
    QCOMPARE(opened.size(), 1);
    QCOMPARE(manifestPathOf(opened[0]), expected.manifestPath);
}

void removeSelected(Monkey& m)
{
    QTest::mouseClick(button(m, "pb_RemoveSubject"), Qt::LeftButton);
    if (m.selectedRow >= 0)
        m.rows.removeAt(m.selectedRow);
    m.selectedRow = -1;
}

void removeAll(Monkey& m)
{
    QTest::mouseClick(button(m, "pb_RemoveAll"), Qt::LeftButton);
    m.rows.clear();
    m.selectedRow = -1;
}

void closeSubjectWindow(Monkey& m)
{
    const QList<ConnectivityObjectUI*> dialogs = m.visibleWindows<ConnectivityObjectUI>();
    if (dialogs.isEmpty())
        return;
    QPointer<ConnectivityObjectUI> dialog = dialogs[m.pick(dialogs.size())];
    m.note("  of " + manifestPathOf(dialog));
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
}

void toggleKeepOnTop(Monkey& m)
{
    QCheckBox* box = keepOnTop(m);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(2, box->height() / 2));
}

void tableShowsTheRows(Monkey& m)
{
    QAbstractItemModel* model = table(m)->model();
    QCOMPARE(model->rowCount(), m.rows.size());
    for (int row = 0; row < m.rows.size(); ++row)
        QCOMPARE(model->index(row, 0).data().toString(), m.rows[row].studyId);
}

// "Remove selected" is enabled by the first subject added and stays so.
void counterAndButtonsFollowTheRows(Monkey& m)
{
    QCOMPARE(m.window()->findChild<QLabel*>(QStringLiteral("lbl_SubjectsCounter"))->text(),
             QString::number(m.rows.size()));
    QCOMPARE(button(m, "pb_RemoveAll")->isEnabled(), !m.rows.isEmpty());
    QCOMPARE(button(m, "pb_RemoveSubject")->isEnabled(), m.records > 0);
}

void everyRowHasOneViewButtonForItsSubject(Monkey& m)
{
    for (int row = 0; row < m.rows.size(); ++row) {
        auto* viewButton = qobject_cast<QPushButton*>(indexWidget(m, row));
        QVERIFY2(viewButton, qPrintable(QStringLiteral("row %1 has no View button").arg(row)));
        QCOMPARE(viewButton->text(), "View");
        QCOMPARE(viewButton->property("row").toInt(), m.rows[row].record);
    }
    QCOMPARE(table(m)->viewport()->findChildren<QPushButton*>().size(), m.rows.size());
}

void noWindowOfARemovedSubject(Monkey& m)
{
    QStringList listed;
    for (const Monkey::Row& row : m.rows)
        listed.append(row.manifestPath);
    for (const ConnectivityObjectUI* dialog : m.visibleWindows<ConnectivityObjectUI>())
        QVERIFY2(listed.contains(manifestPathOf(dialog)), qPrintable(manifestPathOf(dialog)));
}

void noErrorLeftOver(Monkey& m)
{
    QVERIFY2(m.errors().isEmpty(), qPrintable(m.errors().join('\n')));
    QVERIFY(m.visibleWindows<QMessageBox>().isEmpty());
}

void selectionIsTheUsers(Monkey& m)
{
    const QModelIndexList selected = table(m)->selectionModel()->selectedIndexes();
    QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), m.selectedRow);
}

void keepOnTopMatchesTheFlags(Monkey& m)
{
    QVERIFY(m.window()->isVisible());
    QCOMPARE(m.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint), keepOnTop(m)->isChecked());
}

} // namespace

MonkeyPart mainWindowPart()
{
    return {
        {
            {"add a good subject", 6, addGoodSubject},
            {"add a broken subject", 3, addBrokenSubject},
            {"cancel the file dialog", 1, cancelTheFileDialog},
            {"select a row or none", 5, selectRowOrNone},
            {"View", 5, view},
            {"Remove selected", 3, removeSelected},
            {"Remove All", 1, removeAll},
            {"close a subject window", 3, closeSubjectWindow},
            {"toggle Keep on top", 1, toggleKeepOnTop},
        },
        {
            {"the table shows the rows", tableShowsTheRows},
            {"the counter and the remove buttons follow the rows", counterAndButtonsFollowTheRows},
            {"every row has one View button for its subject", everyRowHasOneViewButtonForItsSubject},
            {"no window of a removed subject is open", noWindowOfARemovedSubject},
            {"no error is left over", noErrorLeftOver},
            {"the selection is the user's", selectionIsTheUsers},
            {"Keep on top matches the window flags", keepOnTopMatchesTheFlags},
        },
    };
}
