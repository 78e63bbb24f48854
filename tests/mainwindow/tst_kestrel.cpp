#include "mainwindow/kestrel.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace testmanifest;

class tst_Kestrel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsEmptyAndOnTop();
    void eachViewButtonOpensItsOwnSubject();
    void addSubjectButtonAsksForAManifest();
    void unreadableManifestChangesNothing();
    void recordsStayPutWhileSubjectsAreAdded();
    void removingTheMiddleRowKeepsEachButtonWithItsSubject();
    void removeAllEmptiesTheTable();
    void selectionLeftPastTheLastRowRemovesNothing();
    void subjectThatCannotLoadOpensNoDialog();
    void keepOnTopTogglesTheHint();
    void closingTheWindowDeletesItAndItsDialogs();

private:
    // Writes dir/<id>/manifest.json for a three-node subject with one matrix.
    QString writeSubject(const QString& id, const QJsonObject& manifest);
    QString writeSubject(const QString& id);
    QTableView* table() const { return m_window->findChild<QTableView*>("tbl_Subjects"); }
    QPushButton* button(const char* name) const { return m_window->findChild<QPushButton*>(name); }
    QPushButton* viewButton(int row) const;
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

QString tst_Kestrel::writeSubject(const QString& id, const QJsonObject& manifest)
{
    const QString dir = m_dir->path() + '/' + id;
    writeFile(dir, "rest.csv", csv(Eigen::Matrix3f::Identity()));
    return writeManifest(dir, manifest);
}

QString tst_Kestrel::writeSubject(const QString& id)
{
    return writeSubject(id, validManifest(id, {"Precuneus_L", "Precuneus_R", "Thalamus_L"}, {"rest.csv"}));
}

QPushButton* tst_Kestrel::viewButton(int row) const
{
    return qobject_cast<QPushButton*>(table()->indexWidget(table()->model()->index(row, 1)));
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
    QTest::mouseClick(viewButton(row), Qt::LeftButton);
    for (ConnectivityObjectUI* dialog : dialogs())
        if (!before.contains(dialog) && dialog->isVisible())
            return QString::fromStdString(dialog->getConnectivityObject()->getSubject()->getUniqueId());
    return QString();
}

void tst_Kestrel::startsEmptyAndOnTop()
{
    QCOMPARE(m_window->objectName(), "CKestrel");
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(m_window->findChild<QCheckBox*>("cbox_KeepOnTop")->isChecked());
    QVERIFY(!m_window->findChild<QWidget*>("tab_GroupAnalysis")->isEnabled());
    QVERIFY(!button("pb_RemoveSubject")->isEnabled());
    QVERIFY(!button("pb_RemoveAll")->isEnabled());
    QCOMPARE(table()->model()->rowCount(), 0);
    QCOMPARE(table()->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
}

void tst_Kestrel::eachViewButtonOpensItsOwnSubject()
{
    // The third lives in a folder whose name is not ASCII.
    const QStringList ids{"sub-01", "sub-02", QString::fromUtf8(u8"sub-03-\u00e5\u00df")};
    for (const QString& id : ids)
        QVERIFY(m_window->addSubjectFile(writeSubject(id)));

    QCOMPARE(studyIds(), ids);
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "3");
    QVERIFY(button("pb_RemoveSubject")->isEnabled());
    for (int row = 0; row < 3; ++row)
        QCOMPARE(viewButton(row)->property("row").toInt(), row);
    QCOMPARE(openedSubject(2), ids[2]);
    QCOMPARE(openedSubject(0), ids[0]);
    QCOMPARE(openedSubject(1), ids[1]);

    // A second press gives a second, independent dialog.
    QCOMPARE(openedSubject(0), ids[0]);
    QCOMPARE(dialogs().size(), 4);
    QVERIFY(m_errors.isEmpty());
}

void tst_Kestrel::addSubjectButtonAsksForAManifest()
{
    QString answer;
    m_window->setManifestPicker([&answer](QWidget*) { return answer; });

    QTest::mouseClick(button("pb_AddSubject"), Qt::LeftButton);
    QCOMPARE(table()->model()->rowCount(), 0);

    answer = writeSubject("sub-07");
    QTest::mouseClick(button("pb_AddSubject"), Qt::LeftButton);
    QCOMPARE(studyIds(), QStringList{"sub-07"});
    QVERIFY(m_errors.isEmpty());
}

void tst_Kestrel::unreadableManifestChangesNothing()
{
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));
    QJsonObject manifest = validManifest("sub-02", {"a"}, {});
    removeKey(manifest, "configuration.method");
    const QString path = writeManifest(m_dir->path() + "/nokey", manifest);

    QVERIFY(!m_window->addSubjectFile(path));
    QCOMPARE(m_errors.size(), 1);
    QCOMPARE(m_errors[0], "The study manifest could not be read.\n\n" + path + ": No such node (configuration.method)");
    QCOMPARE(studyIds(), QStringList{"sub-01"});
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "1");

    // The next subject still gets the next row and opens itself.
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-03")));
    QCOMPARE(viewButton(1)->property("row").toInt(), 1);
    QCOMPARE(openedSubject(1), "sub-03");
}

void tst_Kestrel::recordsStayPutWhileSubjectsAreAdded()
{
    const QString manifest = writeSubject("sub-00");
    QVERIFY(m_window->addSubjectFile(manifest));
    QCOMPARE(openedSubject(0), "sub-00");
    ConnectivityObject* subject = dialogs().first()->getConnectivityObject();

    for (int i = 1; i <= 64; ++i)
        QVERIFY(m_window->addSubjectFile(manifest));

    const SubjectRecord* record = subject->getSubject();
    QCOMPARE(record->getUniqueId(), "sub-00");
    QCOMPARE(QString::fromStdString(record->getDirectory()), m_dir->path() + "/sub-00");
    QCOMPARE(subject->getNodeNames(), (QStringList{"Precuneus_L", "Precuneus_R", "Thalamus_L"}));
}

void tst_Kestrel::removingTheMiddleRowKeepsEachButtonWithItsSubject()
{
    for (const char* id : {"sub-01", "sub-02", "sub-03"})
        QVERIFY(m_window->addSubjectFile(writeSubject(id)));
    QCOMPARE(openedSubject(1), "sub-02");
    QCOMPARE(openedSubject(2), "sub-03");
    QPointer<ConnectivityObjectUI> removedDialog = dialogs()[0];
    QPointer<ConnectivityObjectUI> keptDialog = dialogs()[1];
    if (removedDialog->getConnectivityObject()->getSubject()->getUniqueId() != "sub-02")
        std::swap(removedDialog, keptDialog);

    // Pressing "View" did not select its row: nothing to remove yet.
    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCOMPARE(studyIds(), (QStringList{"sub-01", "sub-02", "sub-03"}));

    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualRect(table()->model()->index(1, 0)).center());
    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(studyIds(), (QStringList{"sub-01", "sub-03"}));
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "2");
    QVERIFY(table()->selectionModel()->selectedIndexes().isEmpty());
    QVERIFY(removedDialog.isNull());
    QVERIFY(keptDialog && keptDialog->isVisible());
    QCOMPARE(viewButton(0)->property("row").toInt(), 0);
    QCOMPARE(viewButton(1)->property("row").toInt(), 2);
    QCOMPARE(table()->viewport()->findChildren<QPushButton*>().size(), 2);
    QCOMPARE(openedSubject(1), "sub-03");
    QCOMPARE(openedSubject(0), "sub-01");

    // A subject added after the removal gets its own record and row.
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-04")));
    QCOMPARE(viewButton(2)->property("row").toInt(), 3);
    QCOMPARE(openedSubject(2), "sub-04");
}

void tst_Kestrel::removeAllEmptiesTheTable()
{
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-02")));
    QCOMPARE(openedSubject(1), "sub-02");
    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCOMPARE(studyIds(), (QStringList{"sub-01", "sub-02"})); // nothing was selected

    QTest::mouseClick(button("pb_RemoveAll"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(table()->model()->rowCount(), 0);
    QVERIFY(table()->viewport()->findChildren<QPushButton*>().isEmpty());
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "0");
    QVERIFY(!button("pb_RemoveAll")->isEnabled());
    QVERIFY(dialogs().isEmpty());

    QVERIFY(m_window->addSubjectFile(writeSubject("sub-03")));
    QCOMPARE(openedSubject(0), "sub-03");
}

// Select the last of three rows, "Remove All", add two, "Remove selected":
// the selection still pointed at row 2, which took the second row's button
// away, and the next removal dereferenced the missing button.
void tst_Kestrel::selectionLeftPastTheLastRowRemovesNothing()
{
    for (const char* id : {"sub-01", "sub-02", "sub-03"})
        QVERIFY(m_window->addSubjectFile(writeSubject(id)));
    table()->selectionModel()->select(table()->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::mouseClick(button("pb_RemoveAll"), Qt::LeftButton);
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-04")));
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-05")));

    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(studyIds(), (QStringList{"sub-04", "sub-05"}));
    QCOMPARE(viewButton(1)->property("row").toInt(), 4);

    table()->selectionModel()->select(table()->model()->index(0, 0), QItemSelectionModel::Select);
    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(studyIds(), QStringList{"sub-05"});
    QCOMPARE(openedSubject(0), "sub-05");
}

// Every kind of load failure is checked on the connectivity object; here, that
// the window reports one and keeps nothing of the subject.
void tst_Kestrel::subjectThatCannotLoadOpensNoDialog()
{
    const QString dir = m_dir->path() + "/bad";
    writeFile(dir, "rest.csv", "1,0,0\n0,x,0\n0,0,1\n");
    QVERIFY(m_window->addSubjectFile(writeManifest(dir, validManifest("bad", {"a", "b", "c"}, {"rest.csv"}))));

    QTest::mouseClick(viewButton(0), Qt::LeftButton);

    QCOMPARE(m_errors.size(), 1);
    QCOMPARE(m_errors[0], "The subject \"bad\" could not be opened.\n\n" + dir + "/rest.csv:2:3: not a number: 'x'");
    QVERIFY(dialogs().isEmpty());
    QVERIFY(m_window->findChildren<ConnectivityObject*>().isEmpty());
}

void tst_Kestrel::keepOnTopTogglesTheHint()
{
    auto* keepOnTop = m_window->findChild<QCheckBox*>("cbox_KeepOnTop");
    keepOnTop->setChecked(false);
    QVERIFY(!m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(m_window->isVisible());

    keepOnTop->setChecked(true);
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(m_window->isVisible());
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
