// The plug-in object against a host that is this test program: it exports
// the four host functions the plug-in calls and records every call. Which
// host the plug-in believes it runs in is seeded through HostModule.

#include "host/hostexport.h"
#include "mainwindow/kestrel.h"
#include "plugin/hostmodule.h"
#include "plugin/lsplugin.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <stdexcept>

namespace {

enum { Logs, ThrowsStdException, ThrowsInt } logging = Logs; // what hxLogText does
QStringList calls;

QList<Kestrel*> mainWindows()
{
    QList<Kestrel*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Kestrel*>(widget))
            windows << window;
    return windows;
}

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

LODESTAR_EXPORT void hxMessageBox(const char* text)
{
    calls << QStringLiteral("message box: ") + text;
}

class tst_HostBridge : public QObject {
    Q_OBJECT

private slots:
    void init();
    void initPlugin_data();
    void initPlugin();
    void mainWindowLifetime();
};

void tst_HostBridge::init()
{
    logging = Logs;
    calls.clear();
    HostModule::setExecutablePathProvider([] { return std::string("/opt/lodestar/LodestarHX"); });
}

// A host callback that throws must not unwind into the host's C code.
void tst_HostBridge::initPlugin_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<int>("logging");
    QTest::addColumn<QString>("warning"); // empty: binds when there is no warning
    QTest::addColumn<bool>("binds");

    QTest::newRow("LodestarHX") << "/opt/lodestar/LodestarHX" << int(Logs) << "" << true;
    QTest::newRow("LodestarHX.exe") << "/opt/lodestar/LodestarHX.exe" << int(Logs) << "" << true;
    QTest::newRow("only the folder is named like the host") << "/opt/LodestarHX/viewer" << int(Logs) << "" << false;
    QTest::newRow("running program unknown") << "" << int(Logs) << "" << false;
    QTest::newRow("log throws std::exception") << "/opt/lodestar/LodestarHX" << int(ThrowsStdException)
                                               << "Kestrel: initialisation failed: the log pane is gone" << false;
    QTest::newRow("log throws an int") << "/opt/lodestar/LodestarHX" << int(ThrowsInt)
                                       << "Kestrel: initialisation failed" << false;
}

void tst_HostBridge::initPlugin()
{
    QFETCH(QString, executable);
    QFETCH(int, logging);
    QFETCH(QString, warning);
    QFETCH(bool, binds);
    HostModule::setExecutablePathProvider([path = executable.toStdString()] { return path; });
    ::logging = decltype(::logging)(logging);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));

    lsplugin plugin;
    QCOMPARE(plugin.initPlugin(), binds);
    // The log pane is shown before the first line goes to it. Outside a host
    // the plug-in fails silently: it calls nothing.
    const QStringList started{"version", "log pane", "Plugin> ** Starting Kestrel **",
                              "Plugin> * Please check our support website "
                              "(https://support.corvane-neuro.com/kestrel) for frequent updates."};
    if (warning.isEmpty())
        QCOMPARE(calls, binds ? started : QStringList());
}

void tst_HostBridge::mainWindowLifetime()
{
    QPointer<Kestrel> second;
    {
        lsplugin plugin;
        QVERIFY(plugin.initPlugin());
        QVERIFY(plugin.execute());
        QVERIFY(plugin.execute());
        QCOMPARE(mainWindows().size(), 1);
        QPointer<Kestrel> first = mainWindows().first();
        QVERIFY(first->isVisible() && !first->parent());

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!first, "a closed main window deletes itself");
        QVERIFY(plugin.execute());
        QCOMPARE(mainWindows().size(), 1);
        second = mainWindows().first();
    }
    QVERIFY2(second && second->isVisible(), "destroying the plug-in object leaves its window open");
    delete second;
}

QTEST_MAIN(tst_HostBridge)

#include "tst_hostbridge.moc"
