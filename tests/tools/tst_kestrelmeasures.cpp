#include "../quiver/testfolder.h"

#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    void init();
    void manifestRowsAreNamedByConditionAndVoi();
    void csvWithChosenMeasuresToFile();
    void badFileIsReportedAndOthersStillMeasured();
    void manifestWithoutProtocolAndBadMatrix();
    void wrongUsage_data();
    void wrongUsage();

private:
    QString writeManifest(bool usesProto, const QStringList& matrixFiles);
    std::unique_ptr<TestFolder> m_folder;
};

void tst_KestrelMeasures::init()
{
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
}


// A manifest with every key the reader needs; three VOIs, all selected, one
// name with a comma and a quote.
QString tst_KestrelMeasures::writeManifest(bool usesProto, const QStringList& matrixFiles)
{
    const QJsonArray none;
    const QJsonObject manifest{
        {"manifest-version", "1"},
        {"unique_id", "sub-07"},
        {"date", "2024-01-01"},
        {"versions", QJsonObject{{"Weft", "1"}, {"quiver", "1"}, {"Lodestar", "1"}}},
        {"study_data",
         QJsonObject{{"ANA", "a"}, {"FTC", "f"}, {"VOI", "v"}, {"STP", "s"},
                     {"VOIs_names", QJsonArray{"Left, upper \"A\"", "B", "C"}},
                     {"VOIs_sizes", QJsonArray{1, 1, 1}},
                     {"STP_Conditions", QJsonArray{"rest", "task"}}}},
        {"configuration",
         QJsonObject{{"method", "pearson"},
                     {"selected_vois", QJsonArray{0, 1, 2}},
                     {"uses_proto", usesProto},
                     {"ordered_conditions",
                      QJsonArray{QJsonObject{{"t", 0}, {"name", "rest"}, {"type", 1}},
                                 QJsonObject{{"t", 10}, {"name", "task"}, {"type", 1}}}},
                     {"selected_conditions", none},
                     {"treatment_values", ""}}},
        {"result_data",
         QJsonObject{{"timeseries", none}, {"connectivity_mtx", none}, {"treatment_values", none},
                     {"treatment_mtx", none}, {"final_mtx", QJsonArray::fromStringList(matrixFiles)}}},
        {"comments", ""},
    };
    return m_folder->write("manifest.json", QJsonDocument(manifest).toJson());
}

void tst_KestrelMeasures::manifestRowsAreNamedByConditionAndVoi()
{
    m_folder->write("mtx/rest.csv", kTriangle);
    m_folder->write("mtx/task.csv", "0,2,1\n0,0,0.5\n0,0,0\n");
    const Run run = runTool({writeManifest(true, {"mtx/rest.csv", "mtx/task.csv"}), "--measure", "strength,global_efficiency"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(lines(run.out), QStringList({
        "subject,matrix,node,strength,global_efficiency",
        "sub-07,rest,\"Left, upper \"\"A\"\"\",1.5,0.611111104",
        "sub-07,rest,B,1.25,0.611111104",
        "sub-07,rest,C,0.75,0.611111104",
        "sub-07,task,\"Left, upper \"\"A\"\"\",3,1.22222221",
        "sub-07,task,B,2.5,1.22222221",
        "sub-07,task,C,1.5,1.22222221",
    }));
}

void tst_KestrelMeasures::csvWithChosenMeasuresToFile()
{
    const QString output = m_folder->filePath("measures.csv");
    const Run run = runTool({m_folder->write("tri.csv", kTriangle), "--measure=nodal_global_efficiency,degree", "-o", output});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString());
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(lines(QString::fromUtf8(file.readAll())), QStringList({
        "subject,matrix,node,nodal_global_efficiency,degree",
        ",tri.csv,0,0.75,2",
        ",tri.csv,1,0.666666687,2",
        ",tri.csv,2,0.416666687,2",
    }));
}

void tst_KestrelMeasures::badFileIsReportedAndOthersStillMeasured()
{
    const QString bad = m_folder->write("bad.csv", "0,1\n1,x\n");
    const QString notSquare = m_folder->write("wide.csv", "0,1,2\n1,0,2\n");
    const Run run = runTool({bad, notSquare, m_folder->write("good.csv", kTriangle), "-m", "degree"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(bad + ":2:3: not a number: 'x'"), qPrintable(run.err));
    QVERIFY2(run.err.contains(notSquare + ": the matrix is 2 x 3, not square"), qPrintable(run.err));
    QCOMPARE(lines(run.out), QStringList({"subject,matrix,node,degree", ",good.csv,0,2", ",good.csv,1,2", ",good.csv,2,2"}));
}

void tst_KestrelMeasures::manifestWithoutProtocolAndBadMatrix()
{
    m_folder->write("rest.csv", kTriangle);
    const Run good = runTool({writeManifest(false, {"rest.csv"}), "-m", "degree"});
    QCOMPARE(good.exitCode, 0);
    QCOMPARE(lines(good.out).value(2), QString("sub-07,rest.csv,B,2"));

    // One bad matrix leaves out the whole manifest.
    m_folder->write("task.csv", "0,1\n0,0\n");
    const Run bad = runTool({writeManifest(false, {"rest.csv", "task.csv"})});
    QCOMPARE(bad.exitCode, 1);
    QVERIFY2(bad.err.contains("task.csv: the matrix is 2 x 2, but the subject has 3 nodes"), qPrintable(bad.err));
    QCOMPARE(lines(bad.out).size(), 1);
}

void tst_KestrelMeasures::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no file") << QStringList() << "no input file";
    QTest::newRow("unknown measure") << QStringList({"a.csv", "-m", "degree,nodal_ge"}) << "unknown measure 'nodal_ge'";
    QTest::newRow("unknown option") << QStringList({"--colour", "a.csv"}) << "colour";
}

void tst_KestrelMeasures::wrongUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = runTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(tst_KestrelMeasures)
#include "tst_kestrelmeasures.moc"
