#include "mainwindow/kestrel.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QJsonArray>
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
    void threeSubjectsOpenTheirOwnDialogs();
    void twoViewPressesOpenTwoDialogs();
    void addSubjectButtonAsksForAManifest();
    void unreadableManifestChangesNothing_data();
    void unreadableManifestChangesNothing();
    void recordsStayPutWhileSubjectsAreAdded();
    void removingTheMiddleRowKeepsEachButtonWithItsSubject();
    void removeWithoutSelectionDoesNothing();
    void removeAllEmptiesTheTable();
    void subjectThatCannotLoadOpensNoDialog_data();
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
    QCOMPARE(m_window->windowTitle(), "Connectivity & Kestrel Plugin");
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(m_window->findChild<QCheckBox*>("cbox_KeepOnTop")->isChecked());
    QCOMPARE(m_window->findChild<QTabWidget*>("tabWidget")->currentIndex(), 0);
    QVERIFY(!m_window->findChild<QWidget*>("tab_GroupAnalysis")->isEnabled());
    QVERIFY(!button("pb_RemoveSubject")->isEnabled());
    QVERIFY(!button("pb_RemoveAll")->isEnabled());
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "0");
    QCOMPARE(table()->model()->rowCount(), 0);
    QCOMPARE(table()->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    QCOMPARE(table()->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
}

void tst_Kestrel::threeSubjectsOpenTheirOwnDialogs()
{
    // The third lives in a folder whose name is not ASCII.
    const QStringList ids{"sub-01", "sub-02", QString::fromUtf8(u8"sub-03-\u00e5\u00df")};
    for (const QString& id : ids)
        QVERIFY(m_window->addSubjectFile(writeSubject(id)));

    QCOMPARE(studyIds(), ids);
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "3");
    QVERIFY(button("pb_RemoveSubject")->isEnabled());
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(viewButton(row)->text(), "View");
        QCOMPARE(viewButton(row)->property("row").toInt(), row);
    }
    QCOMPARE(openedSubject(2), ids[2]);
    QCOMPARE(openedSubject(0), ids[0]);
    QCOMPARE(openedSubject(1), ids[1]);
    QVERIFY(m_errors.isEmpty());
}

void tst_Kestrel::twoViewPressesOpenTwoDialogs()
{
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));
    QCOMPARE(openedSubject(0), "sub-01");
    QCOMPARE(openedSubject(0), "sub-01");

    const QList<ConnectivityObjectUI*> opened = dialogs();
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0]->getConnectivityObject() != opened[1]->getConnectivityObject());
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

void tst_Kestrel::unreadableManifestChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("JSON syntax error") << "syntax";
    QTest::newRow("missing key") << "key";
}

void tst_Kestrel::unreadableManifestChangesNothing()
{
    QFETCH(QString, kind);
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));

    QString path = m_dir->path() + "/nowhere/manifest.json";
    if (kind == "syntax") {
        path = writeFile(m_dir->path(), "broken/manifest.json", "{ \"unique_id\": }");
    } else if (kind == "key") {
        QJsonObject manifest = validManifest("sub-02", {"a"}, {});
        removeKey(manifest, "configuration.method");
        path = writeManifest(m_dir->path() + "/nokey", manifest);
    }

    QVERIFY(!m_window->addSubjectFile(path));
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors[0].contains(path), qPrintable(m_errors[0]));
    QCOMPARE(studyIds(), QStringList{"sub-01"});
    QVERIFY(!viewButton(1));
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

    table()->selectionModel()->select(table()->model()->index(1, 0), QItemSelectionModel::Select);
    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(studyIds(), (QStringList{"sub-01", "sub-03"}));
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "2");
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

void tst_Kestrel::removeWithoutSelectionDoesNothing()
{
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-02")));
    QTest::mouseClick(button("pb_RemoveSubject"), Qt::LeftButton);
    QCOMPARE(studyIds(), (QStringList{"sub-01", "sub-02"}));
}

void tst_Kestrel::removeAllEmptiesTheTable()
{
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-01")));
    QVERIFY(m_window->addSubjectFile(writeSubject("sub-02")));
    QVERIFY(button("pb_RemoveAll")->isEnabled());

    QTest::mouseClick(button("pb_RemoveAll"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(table()->model()->rowCount(), 0);
    QVERIFY(table()->viewport()->findChildren<QPushButton*>().isEmpty());
    QCOMPARE(m_window->findChild<QLabel*>("lbl_SubjectsCounter")->text(), "0");
    QVERIFY(!button("pb_RemoveAll")->isEnabled());

    QVERIFY(m_window->addSubjectFile(writeSubject("sub-03")));
    QCOMPARE(openedSubject(0), "sub-03");
}

void tst_Kestrel::subjectThatCannotLoadOpensNoDialog_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("blamed");
    QTest::newRow("missing matrix file") << "missing" << "gone.csv";
    QTest::newRow("malformed matrix file") << "malformed" << "rest.csv";
    QTest::newRow("matrix not square") << "notsquare" << "rest.csv";
    QTest::newRow("matrix size differs from node count") << "size" << "rest.csv";
    QTest::newRow("selected VOI out of range") << "voi" << "manifest.json";
}

void tst_Kestrel::subjectThatCannotLoadOpensNoDialog()
{
    QFETCH(QString, kind);
    QFETCH(QString, blamed);

    const QString dir = m_dir->path() + "/bad";
    QJsonObject manifest = validManifest("bad", {"a", "b", "c"}, {kind == "missing" ? "gone.csv" : "rest.csv"});
    QByteArray matrix = csv(Eigen::Matrix3f::Identity());
    if (kind == "malformed")
        matrix = "1,0,0\n0,x,0\n0,0,1\n";
    else if (kind == "notsquare")
        matrix = "1,0,0\n0,1,0\n";
    else if (kind == "size")
        matrix = csv(Eigen::Matrix4f::Identity());
    else if (kind == "voi")
        setKey(manifest, "configuration.selected_vois", QJsonArray{0, 1, 3});
    writeFile(dir, "rest.csv", matrix);
    QVERIFY(m_window->addSubjectFile(writeManifest(dir, manifest)));

    QTest::mouseClick(viewButton(0), Qt::LeftButton);

    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors[0].contains(dir + '/' + blamed), qPrintable(m_errors[0]));
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
