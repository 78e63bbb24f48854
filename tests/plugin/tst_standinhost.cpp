// The stand-in hosts started as separate programs, the way a user starts
// the real one: each row is a host built under some name, run once with
// --quit, judged by its exit status and what it printed.

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

enum ExitStatus { Started = 0, Refused = 1 };

const QStringList startLines{
    QStringLiteral("Plugin> ** Starting Kestrel **"),
    QStringLiteral("Plugin> * Please check our support website "
                   "(https://support.corvane-neuro.com/kestrel) for frequent updates."),
};
const QString refusal =
    QStringLiteral("Plugin> Can not execute this plugin - LodestarHX version 2.6.0 or higher required.");

struct Run {
    int exitCode = -1;
    QStringList out;
    QStringList err;
};

QStringList lines(const QByteArray& output)
{
    return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

Run runHost(const QString& host, const QStringList& arguments)
{
    QProcess process;
    process.start(host, arguments);
    // Generous: sanitizer builds start slowly on a shared machine.
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), lines(process.readAllStandardOutput()), lines(process.readAllStandardError())};
}

QStringList withPlugin(QStringList arguments)
{
    return arguments << QStringLiteral("--plugin") << QStringLiteral(KESTREL_MODULE_PATH);
}

} // namespace

class tst_StandInHost : public QObject {
    Q_OBJECT

private slots:
    void startSequence_data();
    void startSequence();
};

void tst_StandInHost::startSequence_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("pluginLines");
    QTest::addColumn<QString>("message");

    const QString lodestarHX = QStringLiteral(LODESTARHX_PATH);
    const QStringList quit{QStringLiteral("--quit")};

    QTest::newRow("LodestarHX loads the plug-in beside it")
        << lodestarHX << quit << int(Started) << startLines << QString();
    // Numbers, not text: 2.10.0 is newer than 2.6.0, 1.99.99 older than 2.0.0.
    for (const char* version : {"2.6.0", "2.7.0", "2.10.0", "3.0.0"}) {
        QTest::addRow("LodestarHX %s is accepted", version)
            << lodestarHX << withPlugin(quit + QStringList{"--host-version", version}) << int(Started) << startLines
            << QString();
    }
    for (const char* version : {"2.5.9", "1.9.9", "1.99.99"}) {
        QTest::addRow("LodestarHX %s is refused", version)
            << lodestarHX << withPlugin(quit + QStringList{"--host-version", version}) << int(Refused)
            << QStringList() << refusal;
    }
    QTest::newRow("Lodestar, the fallback name")
        << QStringLiteral(LODESTAR_FALLBACK_PATH) << withPlugin(quit) << int(Started) << startLines << QString();
    QTest::newRow("another name fails silently")
        << QStringLiteral(LODESTAR_OTHERNAME_PATH) << withPlugin(quit) << int(Refused) << QStringList() << QString();
    QTest::newRow("no version query fails silently")
        << QStringLiteral(LODESTAR_NOVERSION_PATH) << withPlugin(quit) << int(Refused) << QStringList() << QString();
    QTest::newRow("lacking uncalled functions binds")
        << QStringLiteral(LODESTAR_PARTIAL_PATH) << withPlugin(quit) << int(Started) << startLines << QString();
}

void tst_StandInHost::startSequence()
{
    QFETCH(QString, host);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, pluginLines);
    QFETCH(QString, message);

    const QRegularExpression fromPlugin(QStringLiteral("^Plugin>"));
    const Run run = runHost(host, arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out.filter(fromPlugin), pluginLines);
    // The message box text goes to standard error, and only it.
    QCOMPARE(run.err.filter(fromPlugin), message.isEmpty() ? QStringList() : QStringList{message});
    // "hxGetColorInput: not provided by this host": the plug-in called a stub.
    QCOMPARE(run.err.filter(QRegularExpression(QStringLiteral("^hx"))), QStringList());
    for (const QString& line : run.err)
        QVERIFY2(!line.contains(QLatin1String("Sanitizer")) && !line.contains(QLatin1String("runtime error")),
                 qPrintable(line));
}

QTEST_GUILESS_MAIN(tst_StandInHost)

#include "tst_standinhost.moc"
