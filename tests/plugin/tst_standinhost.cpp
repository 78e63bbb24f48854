// The stand-in hosts started as separate programs, the way a user starts
// the real one: each row is a host built under some name, run once with
// --quit, judged by its exit status and what it printed.

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class tst_StandInHost : public QObject {
    Q_OBJECT

private slots:
    void startSequence_data();
    void startSequence();
};

void tst_StandInHost::startSequence_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QStringList>("arguments"); // besides --quit
    QTest::addColumn<bool>("starts"); // exit status 0 and the start lines, else 1
    QTest::addColumn<QString>("message");

    const QString refusal = "Plugin> Can not execute this plugin - LodestarHX version 2.6.0 or higher required.";
    const QStringList plugin{"--plugin", KESTREL_MODULE_PATH};
    QTest::newRow("LodestarHX loads the plug-in beside it") << LODESTARHX_PATH << QStringList() << true << "";
    // Numbers, not text: 2.10.0 is newer than 2.6.0, 1.99.99 older than 2.0.0.
    const QList<QPair<const char*, bool>> versions{
        {"2.6.0", true}, {"2.10.0", true}, {"2.5.9", false}, {"1.99.99", false}};
    for (const auto& [version, starts] : versions)
        QTest::addRow("LodestarHX %s", version)
            << LODESTARHX_PATH << plugin + QStringList{"--host-version", version} << starts << (starts ? "" : refusal);
    QTest::newRow("Lodestar, the fallback name") << LODESTAR_FALLBACK_PATH << plugin << true << "";
    QTest::newRow("another name fails silently") << LODESTAR_OTHERNAME_PATH << plugin << false << "";
    QTest::newRow("no version query fails silently") << LODESTAR_NOVERSION_PATH << plugin << false << "";
    QTest::newRow("lacking uncalled functions binds") << LODESTAR_PARTIAL_PATH << plugin << true << "";
}

void tst_StandInHost::startSequence()
{
    QFETCH(QString, host);
    QFETCH(QStringList, arguments);
    QFETCH(bool, starts);
    QFETCH(QString, message);

    QProcess process;
    process.start(host, arguments << "--quit");
    // Generous: sanitizer builds start slowly on a shared machine.
    QVERIFY(process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit);
    QCOMPARE(process.exitCode(), starts ? 0 : 1);
    const QStringList out = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList err = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    // The host lists what the plug-in says of itself, then the plug-in logs.
    QStringList expected{"Host> Plug-in: Kestrel", "Host> Description: ", "Host> Author: <i>Corvane</i>",
                         "Host> Version: 1.0.0-alpha", "Host> Help file: index.html", "Host> GUI script: Kestrel.js"};
    if (starts)
        expected << "Plugin> ** Starting Kestrel **"
                 << "Plugin> * Please check our support website (https://support.corvane-neuro.com/kestrel) for "
                    "frequent updates.";
    else
        expected << "Host> The plug-in did not initialise; it will not be executed.";
    QCOMPARE(out, expected);
    // The message box text goes to standard error, and only it.
    QCOMPARE(err.filter(QRegularExpression("^Plugin>")), message.isEmpty() ? QStringList() : QStringList{message});
    // "hxGetColorInput: not provided by this host": the plug-in called a stub.
    QCOMPARE(err.filter(QRegularExpression("^hx")), QStringList());
    for (const QString& line : err)
        QVERIFY2(!line.contains("Sanitizer") && !line.contains("runtime error"), qPrintable(line));
}

QTEST_GUILESS_MAIN(tst_StandInHost)

#include "tst_standinhost.moc"
