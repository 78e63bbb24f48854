#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "testmanifest.h"

#include <QJsonArray>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

using namespace testmanifest;

class tst_ConnectivityObject : public QObject {
    Q_OBJECT

private slots:
    void loadMatrices_data();
    void loadMatrices();
    void keepsOneDialogUntilItCloses();

private:
    QTemporaryDir m_dir;
};

void tst_ConnectivityObject::loadMatrices_data()
{
    QTest::addColumn<QByteArray>("second"); // null: no file
    QTest::addColumn<QJsonArray>("selection");
    QTest::addColumn<QString>("error"); // after the folder's path and "/"
    const QByteArray two = csv(2 * Eigen::Matrix2f::Ones());
    QTest::newRow("good, names in selection order") << two << QJsonArray{2, 1} << "";
    QTest::newRow("missing file") << QByteArray() << QJsonArray{0, 1} << "x//2.csv: cannot open file";
    QTest::newRow("not square") << QByteArray("1,1\n") << QJsonArray{0, 1} << "x//2.csv: the matrix is 1 x 2, not square";
    QTest::newRow("more nodes than names") << csv(Eigen::Matrix3f::Ones()) << QJsonArray{0, 1}
        << "x//2.csv: the matrix is 3 x 3, but the subject has 2 nodes (configuration.selected_vois)";
    QTest::newRow("one name for two nodes") << two << QJsonArray{0}
        << "1.csv: the matrix is 2 x 2, but the subject has 1 nodes (configuration.selected_vois)";
    QTest::newRow("selected VOI out of range") << two << QJsonArray{0, 3}
        << "manifest.json: configuration.selected_vois: index 3 does not name one of the 3 VOIs";
}

// All or nothing: a bad file keeps no matrix and no name. A second load
// replaces the first; the doubled slash stays in the path read and reported.
void tst_ConnectivityObject::loadMatrices()
{
    QFETCH(QByteArray, second);
    QFETCH(QJsonArray, selection);
    QFETCH(QString, error);
    writeFile(m_dir.path(), "1.csv", csv(Eigen::Matrix2f::Ones()));
    QFile::remove(m_dir.filePath("x//2.csv"));
    if (!second.isNull())
        writeFile(m_dir.path(), "x//2.csv", second);
    QJsonObject manifest = validManifest("s", {"x", QString::fromUtf8(u8"y\u00e4"), "z"}, {"1.csv", "x//2.csv"});
    setKey(manifest, "configuration.selected_vois", selection);
    const SubjectRecord subject(readStudyManifest(writeManifest(m_dir.path(), manifest).toStdString()),
                                m_dir.path().toStdString(), "manifest.json");
    ConnectivityObject object(&subject, nullptr);
    QCOMPARE(object.loadMatrices() && object.loadMatrices(), error.isEmpty());
    QCOMPARE(object.errorString(), error.isEmpty() ? error : m_dir.path() + '/' + error);
    QCOMPARE(object.getNodeNames(), error.isEmpty() ? QStringList({"z", QString::fromUtf8(u8"y\u00e4")}) : QStringList());
    QCOMPARE(object.getMatrices().size(), std::size_t(error.isEmpty() ? 2 : 0));
    QVERIFY(!error.isEmpty() || object.getMatrices()[1] == 2 * Eigen::Matrix2f::Ones());
}

// One dialog at a time, forgotten once it is gone (the subject deletes the one it has).
void tst_ConnectivityObject::keepsOneDialogUntilItCloses()
{
    const SubjectRecord subject(readStudyManifest(writeManifest(m_dir.path(), validManifest("s", {"x"}, {})).toStdString()), "", "");
    auto* object = new ConnectivityObject(&subject, nullptr);
    object->setDialogFactory([](ConnectivityObject*) { return new QWidget; });
    object->openUI();
    QPointer<QWidget> dialog = qobject_cast<QWidget*>(object->dialog());
    object->openUI();
    QVERIFY(dialog && dialog->isVisible() && object->dialog() == dialog);
    delete dialog;
    QVERIFY(!object->dialog());
    object->openUI();
    dialog = qobject_cast<QWidget*>(object->dialog());
    delete object;
    QVERIFY(dialog.isNull());
}

QTEST_MAIN(tst_ConnectivityObject)
#include "tst_connectivityobject.moc"
