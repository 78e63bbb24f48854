#include "mainwindow/kestrel.h"
#include "mainwindow/subjectsmodel.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace testmanifest;

// Random click sequences, through the file dialog seam, with good and
// broken subjects, run in tests/monkey; here are the form and the sequences
// that once went wrong.
class tst_Kestrel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsEmptyAndOnTop();
    void clickSequences_data();
    void clickSequences();
    void selectionPastTheLastRowIsIgnored();
    void closingTheWindowDeletesItAndItsDialogs();

private:
    // Writes manifest.json for a three-node subject with one matrix into
    // <id>/ below a folder whose name is not ASCII.
    QString writeSubject(const QString& id);
    QTableView* table() const { return m_window->findChild<QTableView*>("tbl_Subjects"); }
    QPushButton* button(const char* name) const { return m_window->findChild<QPushButton*>(name); }
    QPushButton* viewButton(int row) const;
    void clickRow(int row);
    QStringList studyIds() const;
    QList<ConnectivityObjectUI*> dialogs() const;
    QString openedSubject(int row);

    std::unique_ptr<QTemporaryDir> m_dir;
    QPointer<Kestrel> m_window;
    QStringList m_errors;
};

void tst_Kestrel::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_errors.clear();
    m_window = new Kestrel;
    m_window->setErrorReporter([this](QWidget*, const QString& message) { m_errors.append(message); });
    m_window->show();
}

void tst_Kestrel::cleanup()
{
    delete m_window;
    qDeleteAll(dialogs());
}

QString tst_Kestrel::writeSubject(const QString& id)
{
    const QString dir = m_dir->path() + QString::fromUtf8(u8"/F\u00e4cher/") + id;
    writeFile(dir, "rest.csv", csv(Eigen::Matrix3f::Identity()));
    return writeManifest(dir, validManifest(id, {"Precuneus_L", "Precuneus_R", "Thalamus_L"}, {"rest.csv"}));
}

QPushButton* tst_Kestrel::viewButton(int row) const
{
    return qobject_cast<QPushButton*>(table()->indexWidget(table()->model()->index(row, 1)));
}

void tst_Kestrel::clickRow(int row)
{
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualRect(table()->model()->index(row, 0)).center());
}

QStringList tst_Kestrel::studyIds() const
{
    QStringList ids;
    for (int row = 0; row < table()->model()->rowCount(); ++row)
        ids.append(table()->model()->index(row, 0).data().toString());
    return ids;
}

QList<ConnectivityObjectUI*> tst_Kestrel::dialogs() const
{
    QList<ConnectivityObjectUI*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<ConnectivityObjectUI*>(widget))
            found.append(dialog);
    return found;
}

// Presses the row's "View" button and returns the study ID of the subject
// whose dialog opened.
QString tst_Kestrel::openedSubject(int row)
{
    const QList<ConnectivityObjectUI*> before = dialogs();
    if (QPushButton* view = viewButton(row))
        QTest::mouseClick(view, Qt::LeftButton);
    for (ConnectivityObjectUI* dialog : dialogs())
        if (!before.contains(dialog) && dialog->isVisible())
            return QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId());
    return QString();
}

void tst_Kestrel::startsEmptyAndOnTop()
{
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(m_window->findChild<QCheckBox*>("cbox_KeepOnTop")->isChecked());
    QVERIFY(!m_window->findChild<QWidget*>("tab_GroupAnalysis")->isEnabled());
    QVERIFY(!button("pb_RemoveSubject")->isEnabled());
    QVERIFY(!button("pb_RemoveAll")->isEnabled());
    QCOMPARE(table()->model()->rowCount(), 0);
}

// Each sequence is a list of actions: "add" (the next subject, sub-1,
// sub-2, ...), "select N" (click row N), "view N", "remove" ("Remove
// selected"), "removeAll". Afterwards the rows must show the expected
// subjects, each "View" must open its own, and no removed subject may keep
// a window.
void tst_Kestrel::clickSequences_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("ids");
    // Was a crash: the selection outlived "Remove All" and pointed past the
    // last row, which took a "View" button away; the next removal used it.
    QTest::newRow("selection left past the last row")
        << QStringList{"add", "add", "add", "select 2", "removeAll", "add", "add", "remove", "select 0", "remove"}
        << QStringList{"sub-5"};
    // Found by the monkey: a focused "View" button selected its row.
    QTest::newRow("View does not select its row") << QStringList{"add", "add", "view 1", "remove"}
                                                  << QStringList{"sub-1", "sub-2"};
    QTest::newRow("the middle of three closes its window")
        << QStringList{"add", "add", "add", "view 1", "view 2", "select 1", "remove"} << QStringList{"sub-1", "sub-3"};
    QTest::newRow("Remove All closes every window")
        << QStringList{"add", "add", "view 0", "view 1", "removeAll", "add"} << QStringList{"sub-3"};
}

void tst_Kestrel::clickSequences()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, ids);
    int added = 0;
    for (const QString& action : actions) {
        const QStringList words = action.split(' ');
        if (words[0] == "add")
            QVERIFY(m_window->addSubjectFile(writeSubject(QStringLiteral("sub-%1").arg(++added))));
        else if (words[0] == "select")
            clickRow(words[1].toInt());
        else if (words[0] == "view")
            QVERIFY(!openedSubject(words[1].toInt()).isEmpty());
        else
            QTest::mouseClick(button(words[0] == "remove" ? "pb_RemoveSubject" : "pb_RemoveAll"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QCOMPARE(studyIds(), ids);
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), QString::number(ids.size()));
    QCOMPARE(button("pb_RemoveAll")->isEnabled(), !ids.isEmpty());
    QCOMPARE(table()->viewport()->findChildren<QPushButton*>().size(), ids.size());
    QVERIFY(table()->selectionModel()->selectedIndexes().isEmpty() || actions.last().startsWith("select"));
    for (const ConnectivityObjectUI* dialog : dialogs())
        QVERIFY(ids.contains(QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId())));
    for (int row = 0; row < ids.size(); ++row) {
        QVERIFY(viewButton(row));
        QCOMPARE(viewButton(row)->property("row").toInt(), ids[row].mid(4).toInt() - 1);
        QCOMPARE(openedSubject(row), ids[row]);
    }
    QVERIFY(m_errors.isEmpty());
}

// The model announces changes with layoutChanged() alone, so a selection
// can outlive its row when the model changes under the view.
void tst_Kestrel::selectionPastTheLastRowIsIgnored()
{
    for (const char* id : {"sub-1", "sub-2", "sub-3"})
        QVERIFY(m_window->addSubjectFile(writeSubject(id)));
    clickRow(2);
    qobject_cast<SubjectsModel*>(table()->model())->removeSubject(2);

    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCOMPARE(studyIds(), (QStringList{"sub-1", "sub-2"}));
    QCOMPARE(openedSubject(1), "sub-2");
}

void tst_Kestrel::closingTheWindowDeletesItAndItsDialogs()
{
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));
    QCOMPARE(openedSubject(0), "sub-01");
    QPointer<ConnectivityObjectUI> dialog = dialogs().first();

    QTest::mouseClick(button("pb_CloseDialog"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_window.isNull());
    QVERIFY(dialog.isNull());
}

QTEST_MAIN(tst_Kestrel)
#include "tst_kestrel.moc"
