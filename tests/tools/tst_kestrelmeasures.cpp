#include "testfolder.h"
#include "testmanifest.h"

#include <QJsonArray>
#include <QtTest>

#include <cstdio>
#include <fstream>

// The triangle 0-1 (1), 0-2 (.5), 1-2 (.25) with junk below: strengths 1.5, 1.25, .75, global efficiency 11/18.
static const QByteArray kTriangle = "0,1,0.5\n9,0,0.25\n9,9,0\n";

struct Run { int exitCode; QString out, err; };

static Run runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(KESTREL_BINARY_DIR "/bin/kestrel-measures"), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

class tst_KestrelMeasures : public QObject {
    Q_OBJECT

private slots:
    void badInputsAreReportedOthersStillMeasured();
    void wrongUsage();
    void fileNameThatIsNotUtf8();

private:
    // Subject sub-07 with VOIs A (named with a comma and quotes), B and C and a protocol of one condition, rest.
    QString writeManifest(const QString& name, const QStringList& files)
    {
        QJsonObject manifest = testmanifest::validManifest("sub-07", {"A, \"a\"", "B", "C"}, files);
        testmanifest::setKey(manifest, "configuration.uses_proto", true);
        testmanifest::setKey(manifest, "configuration.ordered_conditions", QJsonArray{QJsonObject{{"t", 0}, {"name", "rest"}, {"type", 1}}});
        return testmanifest::writeManifest(m_folder.path(), manifest, name);
    }
    TestFolder m_folder;
};

// A CSV error; a matrix that does not fit its manifest's three VOIs; a manifest whose second matrix has an
// infinite weight, which leaves out its first matrix too. The good files' rows go to the output file; a
// matrix past the protocol's end is named by its file.
void tst_KestrelMeasures::badInputsAreReportedOthersStillMeasured()
{
    const QString bad = m_folder.write("bad.csv", "0,1\n1,x\n");
    m_folder.write("rest.csv", kTriangle);
    m_folder.write("mtx/task.csv", "0,2,1\n0,0,0.5\n0,0,0\n");
    m_folder.write("small.csv", "0,1\n0,0\n");
    m_folder.write("infinite.csv", "0,inf,1\n0,0,1\n0,0,0\n");
    const QString output = m_folder.filePath("measures.csv");
    const Run run = runTool({bad, writeManifest("small.json", {"small.csv"}),
                             writeManifest("infinite.json", {"rest.csv", "infinite.csv"}),
                             writeManifest("M.JSON", {"rest.csv", "mtx/task.csv"}), m_folder.write("tri.csv", kTriangle),
                             "--measure=strength,global_efficiency", "-o", output});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QString());
    for (const QString& message : QStringList{bad + ":2:3: not a number: 'x'",
                                   m_folder.filePath("small.csv") + ": the matrix is 2 x 2, but the subject has 3 nodes",
                                   m_folder.filePath("infinite.csv") + ": quiver::strength: entry (0, 1) is infinite"})
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QFile file(output);
    file.open(QIODevice::ReadOnly);
    const QString a = "\"A, \"\"a\"\"\",";
    QCOMPARE(QString(file.readAll()), "subject,matrix,node,strength,global_efficiency\nsub-07,rest," + a
             + "1.5,0.611111104\nsub-07,rest,B,1.25,0.611111104\nsub-07,rest,C,0.75,0.611111104\nsub-07,mtx/task.csv," + a
             + "3,1.22222221\nsub-07,mtx/task.csv,B,2.5,1.22222221\nsub-07,mtx/task.csv,C,1.5,1.22222221\n"
               ",tri.csv,0,1.5,0.611111104\n,tri.csv,1,1.25,0.611111104\n,tri.csv,2,0.75,0.611111104\n");
}

void tst_KestrelMeasures::wrongUsage()
{
    const std::pair<QStringList, QString> cases[] = {
        {{}, "no input file"}, {{"a.csv", "-m", "degree,nodal_ge"}, "unknown measure 'nodal_ge'"},
        {{"a.csv", "--measure=,"}, "--measure names no measure"}, {{"a.csv", "-x"}, "Unknown option 'x'."}};
    for (const auto& [arguments, message] : cases) {
        const Run run = runTool(arguments);
        QCOMPARE(run.err, "kestrel-measures: " + message + "\nTry 'kestrel-measures --help'.\n");
        QCOMPARE(run.exitCode, 2);
    }
}

// A file name is bytes on POSIX: one that is not valid UTF-8 still opens.
// QProcess would pass it as text, so the shell makes the name.
void tst_KestrelMeasures::fileNameThatIsNotUtf8()
{
    const std::string name = m_folder.path().toStdString() + "/caf\xe9.csv";
    std::ofstream(name) << kTriangle.toStdString();
    QProcess process;
    process.start("/bin/sh", {"-c", "exec \"$0\" -m degree \"$1\"$(printf '\\351').csv",
                              KESTREL_BINARY_DIR "/bin/kestrel-measures", m_folder.path() + "/caf"});
    const bool finished = process.waitForFinished(60000);
    // QTemporaryDir cannot name the file to remove it.
    std::remove(name.c_str());
    QVERIFY(finished);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.readAllStandardOutput(), "subject,matrix,node,degree\n,caf\xe9.csv,0,2\n,caf\xe9.csv,1,2\n,caf\xe9.csv,2,2\n");
}

QTEST_GUILESS_MAIN(tst_KestrelMeasures)
#include "tst_kestrelmeasures.moc"
