#include "testfolder.h"
#include "testmanifest.h"

#include <QJsonArray>
#include <QtTest>

#include <fstream>

namespace {

// The triangle 0-1 (1), 0-2 (.5), 1-2 (.25), with junk below the diagonal:
// strengths 1.5, 1.25, .75; global efficiency 11/18.
const QByteArray kTriangle = "0,1,0.5\n9,0,0.25\n9,9,0\n";

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(KESTREL_BINARY_DIR "/bin/kestrel-measures"), arguments);
    if (!process.waitForFinished(60000))
        qFatal("kestrel-measures did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QStringList lines(const QString& text)
{
    return text.split('\n', Qt::SkipEmptyParts);
}

} // namespace

class tst_KestrelMeasures : public QObject {
    Q_OBJECT

private slots:
    void manifestRows_data();
    void manifestRows();
    void badInputsAreReportedOthersStillMeasured();
    void wrongUsage_data();
    void wrongUsage();
    void fileNameThatIsNotUtf8();

private:
    QString writeManifest(const QString& name, bool usesProto, const QStringList& matrixFiles, int conditions = 2);
    TestFolder m_folder;
};

// A manifest of subject sub-07 with the first `conditions` of the conditions
// rest and task, and three VOIs, all selected, the first named with a comma
// and quotes.
QString tst_KestrelMeasures::writeManifest(const QString& name, bool usesProto, const QStringList& matrixFiles,
                                           int conditions)
{
    QJsonObject manifest = testmanifest::validManifest("sub-07", {"Left, upper \"A\"", "B", "C"}, matrixFiles);
    testmanifest::setKey(manifest, "configuration.uses_proto", usesProto);
    QJsonArray protocol;
    for (const char* condition : {"rest", "task"}) {
        if (protocol.size() < conditions)
            protocol.append(QJsonObject{{"t", 10 * protocol.size()}, {"name", condition}, {"type", 1}});
    }
    testmanifest::setKey(manifest, "configuration.ordered_conditions", protocol);
    return testmanifest::writeManifest(m_folder.path(), manifest, name);
}

void tst_KestrelMeasures::manifestRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usesProto");
    QTest::addColumn<int>("conditions");
    QTest::addColumn<QStringList>("matrixColumn");
    QTest::newRow("protocol: condition names") << "manifest.json" << true << 2 << QStringList{"rest", "task"};
    QTest::newRow("no protocol: file names") << "manifest.json" << false << 2 << QStringList{"mtx/rest.csv", "mtx/task.csv"};
    QTest::newRow("protocol shorter than the matrices")
        << "manifest.json" << true << 1 << QStringList{"rest", "mtx/task.csv"};
    QTest::newRow("upper-case extension") << "MANIFEST.JSON" << true << 2 << QStringList{"rest", "task"};
}

void tst_KestrelMeasures::manifestRows()
{
    QFETCH(QString, name);
    QFETCH(bool, usesProto);
    QFETCH(int, conditions);
    QFETCH(QStringList, matrixColumn);
    m_folder.write("mtx/rest.csv", kTriangle);
    m_folder.write("mtx/task.csv", "0,2,1\n0,0,0.5\n0,0,0\n");
    const QString manifest = writeManifest(name, usesProto, {"mtx/rest.csv", "mtx/task.csv"}, conditions);
    const Run run = runTool({manifest, "--measure", "strength,global_efficiency"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QString rest = "sub-07," + matrixColumn[0] + ",";
    const QString task = "sub-07," + matrixColumn[1] + ",";
    QCOMPARE(lines(run.out), QStringList({
        "subject,matrix,node,strength,global_efficiency",
        rest + "\"Left, upper \"\"A\"\"\",1.5,0.611111104",
        rest + "B,1.25,0.611111104",
        rest + "C,0.75,0.611111104",
        task + "\"Left, upper \"\"A\"\"\",3,1.22222221",
        task + "B,2.5,1.22222221",
        task + "C,1.5,1.22222221",
    }));
}

void tst_KestrelMeasures::badInputsAreReportedOthersStillMeasured()
{
    // A CSV error; a manifest whose matrix does not fit its three VOIs; one
    // whose second matrix has an infinite weight, which leaves out the rows
    // of its first matrix too. The good CSV file's rows go to the output file.
    const QString bad = m_folder.write("bad.csv", "0,1\n1,x\n");
    m_folder.write("rest.csv", kTriangle);
    m_folder.write("small.csv", "0,1\n0,0\n");
    m_folder.write("infinite.csv", "0,inf,1\n0,0,1\n0,0,0\n");
    const QString output = m_folder.filePath("measures.csv");
    const Run run = runTool({bad, writeManifest("small.json", false, {"small.csv"}),
                             writeManifest("infinite.json", true, {"rest.csv", "infinite.csv"}),
                             m_folder.write("tri.csv", kTriangle),
                             "--measure=nodal_global_efficiency,degree", "-o", output});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QString());
    const QStringList messages = {bad + ":2:3: not a number: 'x'",
                                  m_folder.filePath("small.csv") + ": the matrix is 2 x 2, but the subject has 3 nodes",
                                  m_folder.filePath("infinite.csv")
                                      + ": quiver::nodal_global_efficiency: entry (0, 1) is infinite"};
    for (const QString& message : messages)
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(lines(QString::fromUtf8(file.readAll())), QStringList({
        "subject,matrix,node,nodal_global_efficiency,degree",
        ",tri.csv,0,0.75,2",
        ",tri.csv,1,0.666666687,2",
        ",tri.csv,2,0.416666687,2",
    }));
}

void tst_KestrelMeasures::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no file") << QStringList() << "no input file";
    QTest::newRow("unknown measure") << QStringList({"a.csv", "-m", "degree,nodal_ge"}) << "unknown measure 'nodal_ge'";
    QTest::newRow("empty measure list") << QStringList({"a.csv", "--measure=,"}) << "--measure names no measure";
    QTest::newRow("unknown option") << QStringList({"a.csv", "-x"}) << "Unknown option 'x'.";
}

void tst_KestrelMeasures::wrongUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = runTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, "kestrel-measures: " + message + "\nTry 'kestrel-measures --help'.\n");
}

// A file name is bytes on POSIX: one that is not valid UTF-8 still opens.
// QProcess would pass it as text, so the shell makes the name.
void tst_KestrelMeasures::fileNameThatIsNotUtf8()
{
    const QByteArray name = m_folder.path().toUtf8() + "/caf\xe9.csv";
    std::ofstream(name.toStdString()) << kTriangle.toStdString();
    QProcess process;
    process.start("/bin/sh", {"-c", "exec \"$0\" -m degree \"$1\"$(printf '\\351').csv",
                              KESTREL_BINARY_DIR "/bin/kestrel-measures", m_folder.path() + "/caf"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), "subject,matrix,node,degree\n,caf\xe9.csv,0,2\n,caf\xe9.csv,1,2\n,caf\xe9.csv,2,2\n");
}

QTEST_GUILESS_MAIN(tst_KestrelMeasures)
#include "tst_kestrelmeasures.moc"
