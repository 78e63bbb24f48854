#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "testmanifest.h"

#include <QJsonArray>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <deque>
#include <iostream>
#include <sstream>

using namespace testmanifest;

class tst_ConnectivityObject : public QObject {
    Q_OBJECT

private slots:
    void init();

    void matricesKeepListOrderAndReloadReplaces();
    void eachMatrixIsWrittenToStandardOutput();
    void nodeNamesFollowTheSelectionWithoutMatrices();
    void badInputKeepsNothing_data();
    void badInputKeepsNothing();
    void openUIKeepsOneDialogUntilItCloses();
    void destroyingTheSubjectDeletesItsDialog();

private:
    // Reads the manifest written to the temporary folder into a record.
    const SubjectRecord& record(const QJsonObject& manifest);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::deque<SubjectRecord> m_records;
};

void tst_ConnectivityObject::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

// A manifest that fails to read fails the test function (with an empty
// record), not the whole program.
const SubjectRecord& tst_ConnectivityObject::record(const QJsonObject& manifest)
{
    StudyManifest read;
    try {
        read = readStudyManifest(writeManifest(m_dir->path(), manifest).toStdString());
    } catch (const std::exception& e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
    }
    m_records.emplace_back(std::move(read), m_dir->path().toStdString(), "manifest.json");
    return m_records.back();
}

static Eigen::MatrixXf filled(int nodes, float value)
{
    return Eigen::MatrixXf::Constant(nodes, nodes, value);
}

void tst_ConnectivityObject::matricesKeepListOrderAndReloadReplaces()
{
    // A file name that holds a sub-path keeps it.
    const QStringList files{"c.csv", "slices/t0/a.csv", "b.csv"};
    for (int k = 0; k < files.size(); ++k)
        writeFile(m_dir->path(), files[k], csv(filled(2, float(k))));

    ConnectivityObject subject(&record(validManifest("s", {"x", "y"}, files)), nullptr);
    // A second load replaces the first: one node name per matrix row.
    QVERIFY(subject.loadMatrices());
    QVERIFY(subject.loadMatrices());
    QCOMPARE(subject.getNodeNames(), (QStringList{"x", "y"}));
    const std::vector<Eigen::MatrixXf> matrices = subject.getMatrices();
    QCOMPARE(matrices.size(), std::size_t(3));
    for (int k = 0; k < 3; ++k)
        QVERIFY(matrices[std::size_t(k)] == filled(2, float(k)));
}

void tst_ConnectivityObject::eachMatrixIsWrittenToStandardOutput()
{
    Eigen::Matrix2f m;
    m << 1, -0.25f, 12.5f, 0;
    writeFile(m_dir->path(), "m.csv", csv(m));
    ConnectivityObject subject(&record(validManifest("s", {"x", "y"}, {"m.csv", "m.csv"})), nullptr);

    std::ostringstream out;
    std::streambuf* const standardOutput = std::cout.rdbuf(out.rdbuf());
    const bool loaded = subject.loadMatrices();
    std::cout.rdbuf(standardOutput);

    QVERIFY(loaded);
    const std::string once = "\n    1 -0.25\n 12.5     0\n";
    QCOMPARE(out.str(), once + once);
}

void tst_ConnectivityObject::nodeNamesFollowTheSelectionWithoutMatrices()
{
    QJsonObject manifest = validManifest("s", {"Cuneus_L", QString::fromUtf8(u8"Gyrus_\u00e4"), "Thalamus_R"}, {});
    setKey(manifest, "configuration.selected_vois", QJsonArray{1, 2});
    ConnectivityObject subject(&record(manifest), nullptr);
    QVERIFY(subject.loadMatrices());
    QVERIFY(subject.getMatrices().empty());
    QCOMPARE(subject.getNodeNames(), (QStringList{QString::fromUtf8(u8"Gyrus_\u00e4"), "Thalamus_R"}));
}

void tst_ConnectivityObject::badInputKeepsNothing_data()
{
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QJsonArray>("selection");
    QTest::addColumn<QString>("error"); // after the folder's path and "/"

    const QByteArray good = csv(filled(2, 1));
    const QJsonArray both{0, 1};
    QTest::newRow("missing file") << QByteArray() << both << "x//2.csv: cannot open file";
    QTest::newRow("not a number") << QByteArray("1,1\n1,abc\n") << both << "x//2.csv:2:3: not a number: 'abc'";
    QTest::newRow("not square") << QByteArray("1,1\n") << both << "x//2.csv: the matrix is 1 x 2, not square";
    QTest::newRow("more nodes than names")
        << csv(filled(3, 1)) << both
        << "x//2.csv: the matrix is 3 x 3, but the subject has 2 nodes (configuration.selected_vois)";
    QTest::newRow("one name for two nodes")
        << good << QJsonArray{0}
        << "1.csv: the matrix is 2 x 2, but the subject has 1 nodes (configuration.selected_vois)";
    QTest::newRow("selected VOI out of range")
        << good << QJsonArray{0, 2}
        << "manifest.json: configuration.selected_vois: index 2 does not name one of the 2 VOIs";
}

void tst_ConnectivityObject::badInputKeepsNothing()
{
    QFETCH(QByteArray, second);
    QFETCH(QJsonArray, selection);
    QFETCH(QString, error);

    writeFile(m_dir->path(), "1.csv", csv(filled(2, 1)));
    // The doubled slash stays in the path that is read and reported.
    if (!second.isEmpty())
        writeFile(m_dir->path(), "x//2.csv", second);
    QJsonObject manifest = validManifest("s", {"x", "y"}, {"1.csv", "x//2.csv"});
    setKey(manifest, "configuration.selected_vois", selection);

    ConnectivityObject subject(&record(manifest), nullptr);
    QVERIFY(!subject.loadMatrices());
    QCOMPARE(subject.errorString(), m_dir->path() + '/' + error);
    QVERIFY(subject.getMatrices().empty());
    QVERIFY(subject.getNodeNames().isEmpty());
}

void tst_ConnectivityObject::openUIKeepsOneDialogUntilItCloses()
{
    ConnectivityObject subject(&record(validManifest("s", {"x"}, {})), nullptr);
    int created = 0;
    subject.setDialogFactory([&created](ConnectivityObject*) {
        ++created;
        auto* dialog = new QWidget;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    });

    subject.openUI();
    subject.openUI();
    QCOMPARE(created, 1);
    auto* dialog = qobject_cast<QWidget*>(subject.dialog());
    QVERIFY(dialog->isVisible());

    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!subject.dialog());

    subject.openUI();
    QCOMPARE(created, 2);
    QVERIFY(qobject_cast<QWidget*>(subject.dialog())->isVisible());
}

void tst_ConnectivityObject::destroyingTheSubjectDeletesItsDialog()
{
    auto* subject = new ConnectivityObject(&record(validManifest("s", {"x"}, {})), nullptr);
    subject->setDialogFactory([](ConnectivityObject*) { return new QWidget; });
    subject->openUI();
    QPointer<QObject> dialog = subject->dialog();
    delete subject;
    QVERIFY(dialog.isNull());
}

QTEST_MAIN(tst_ConnectivityObject)
#include "tst_connectivityobject.moc"
