// The plug-in object against a host that is this test program: it exports
// the host functions the plug-in calls at start and records the calls. Which
// host the plug-in believes it runs in is seeded through HostModule.

#include "host/hostexport.h"
#include "mainwindow/kestrel.h"
#include "plugin/hostmodule.h"
#include "plugin/lsplugin.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

enum { Logs, ThrowsStdException, ThrowsInt } logging = Logs; // what hxLogText does
QStringList calls;

} // namespace

LODESTAR_EXPORT void hxGetVersionOfLodestarHX(int* major, int* minor, int* patch)
{
    calls << "version";
    *major = 2;
    *minor = 8;
    *patch = 0;
}

LODESTAR_EXPORT void hxShowLogPane()
{
    calls << "log pane";
}

LODESTAR_EXPORT void hxLogText(const char* line)
{
    if (logging == ThrowsStdException)
        throw std::runtime_error("the log pane is gone");
    if (logging == ThrowsInt)
        throw 42;
    calls << QString::fromUtf8(line);
}

class tst_HostBridge : public QObject {
    Q_OBJECT

private slots:
    void initPlugin_data();
    void initPlugin();
    void mainWindowLifetime();
};

// A host callback that throws must not unwind into the host's C code.
void tst_HostBridge::initPlugin_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<int>("logging");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("binds");

    const QString host = "/opt/lodestar/LodestarHX";
    QTest::newRow("LodestarHX") << host << int(Logs) << "" << true;
    QTest::newRow("LodestarHX.exe") << host + ".exe" << int(Logs) << "" << true;
    QTest::newRow("only the folder is named like the host") << "/opt/LodestarHX/viewer" << int(Logs) << "" << false;
    QTest::newRow("running program unknown") << "" << int(Logs) << "" << false;
    QTest::newRow("log throws std::exception")
        << host << int(ThrowsStdException) << "Kestrel: initialisation failed: the log pane is gone" << false;
    QTest::newRow("log throws an int") << host << int(ThrowsInt) << "Kestrel: initialisation failed" << false;
}

void tst_HostBridge::initPlugin()
{
    QFETCH(QString, executable);
    QFETCH(int, logging);
    QFETCH(QString, warning);
    QFETCH(bool, binds);
    HostModule::setExecutablePathProvider([path = executable.toStdString()] { return path; });
    ::logging = decltype(::logging)(logging);
    calls.clear();
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));

    QCOMPARE(lsplugin().initPlugin(), binds);
    // The log pane is shown before the first line goes to it. Outside a host
    // the plug-in fails silently: it calls nothing. A throwing log stops it.
    const QStringList started{"version", "log pane", "Plugin> ** Starting Kestrel **",
                              "Plugin> * Please check our support website "
                              "(https://support.corvane-neuro.com/kestrel) for frequent updates."};
    QCOMPARE(calls, QStringList(started.mid(0, binds ? 4 : warning.isEmpty() ? 0 : 2)));
}

void tst_HostBridge::mainWindowLifetime()
{
    HostModule::setExecutablePathProvider([] { return std::string("LodestarHX"); });
    ::logging = Logs;
    auto plugin = std::make_unique<lsplugin>();
    QVERIFY(plugin->initPlugin() && plugin->execute() && plugin->execute());
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    QPointer<QWidget> window = QApplication::topLevelWidgets().first();
    QVERIFY(qobject_cast<Kestrel*>(window) && window->isVisible());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(!window, "a closed main window deletes itself");
    QVERIFY(plugin->execute());
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    window = QApplication::topLevelWidgets().first();
    plugin.reset();
    QVERIFY2(window && window->isVisible(), "destroying the plug-in object leaves its window open");
    delete window;
}

QTEST_MAIN(tst_HostBridge)

#include "tst_hostbridge.moc"
