// The plug-in object against a host that is this test program: it exports
// only the four host functions the plug-in calls and records every call.
// Which host the plug-in believes it runs in is seeded through HostModule.
// The version check and the binding rules a real host can show are proven
// through the stand-in hosts; here is what only an in-process host can see.

#include "host/hostexport.h"
#include "mainwindow/kestrel.h"
#include "plugin/hostmodule.h"
#include "plugin/lsplugin.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <stdexcept>

namespace {

struct RecordingHost {
    // What hxLogText throws: nothing, a std::exception, or an int.
    enum { Logs, ThrowsStdException, ThrowsInt } logging = Logs;
    QStringList calls;
};

RecordingHost host;

const QStringList startCalls{
    QStringLiteral("hxGetVersionOfLodestarHX"),
    QStringLiteral("hxShowLogPane"),
    QStringLiteral("hxLogText: Plugin> ** Starting Kestrel **"),
    QStringLiteral("hxLogText: Plugin> * Please check our support website "
                   "(https://support.corvane-neuro.com/kestrel) for frequent updates."),
};

void runInsideHostAt(const std::string& executablePath)
{
    HostModule::setExecutablePathProvider([executablePath] { return executablePath; });
}

QList<Kestrel*> mainWindows()
{
    QList<Kestrel*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Kestrel*>(widget))
            windows << window;
    }
    return windows;
}

void closeAndDelete(QWidget* window)
{
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

LODESTAR_EXPORT void hxGetVersionOfLodestarHX(int* major, int* minor, int* patch)
{
    host.calls << QStringLiteral("hxGetVersionOfLodestarHX");
    *major = 2;
    *minor = 8;
    *patch = 0;
}

LODESTAR_EXPORT void hxShowLogPane()
{
    host.calls << QStringLiteral("hxShowLogPane");
}

LODESTAR_EXPORT void hxLogText(const char* line)
{
    if (host.logging == RecordingHost::ThrowsStdException)
        throw std::runtime_error("the log pane is gone");
    if (host.logging == RecordingHost::ThrowsInt)
        throw 42;
    host.calls << QStringLiteral("hxLogText: ") + QString::fromUtf8(line);
}

LODESTAR_EXPORT void hxMessageBox(const char* text)
{
    host.calls << QStringLiteral("hxMessageBox: ") + QString::fromUtf8(text);
}

class tst_HostBridge : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void initPlugin_data();
    void initPlugin();
    void failingHostCallbackDoesNotEscape_data();
    void failingHostCallbackDoesNotEscape();
    void mainWindowLifetime();
};

void tst_HostBridge::init()
{
    host = RecordingHost();
    runInsideHostAt("/opt/lodestar/LodestarHX");
}

void tst_HostBridge::cleanup()
{
    for (Kestrel* window : mainWindows())
        closeAndDelete(window);
}

void tst_HostBridge::initPlugin_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<bool>("binds");

    QTest::newRow("LodestarHX") << "/opt/lodestar/LodestarHX" << true;
    QTest::newRow("LodestarHX.exe") << "/opt/lodestar/LodestarHX.exe" << true;
    QTest::newRow("only the folder is named like the host") << "/opt/LodestarHX/viewer" << false;
    QTest::newRow("running program unknown") << "" << false;
}

void tst_HostBridge::initPlugin()
{
    QFETCH(QString, executable);
    QFETCH(bool, binds);
    runInsideHostAt(executable.toStdString());

    lsplugin plugin;
    QCOMPARE(plugin.initPlugin(), binds);
    // The log pane is shown before the first line goes to it. Outside a host
    // the plug-in fails silently: it calls nothing.
    QCOMPARE(host.calls, binds ? startCalls : QStringList());
}

void tst_HostBridge::failingHostCallbackDoesNotEscape_data()
{
    QTest::addColumn<int>("logging");
    QTest::addColumn<QString>("warning");
    QTest::newRow("std::exception") << int(RecordingHost::ThrowsStdException)
                                    << "Kestrel: initialisation failed: the log pane is gone";
    QTest::newRow("not a std::exception") << int(RecordingHost::ThrowsInt) << "Kestrel: initialisation failed";
}

void tst_HostBridge::failingHostCallbackDoesNotEscape()
{
    QFETCH(int, logging);
    QFETCH(QString, warning);
    host.logging = decltype(host.logging)(logging);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));

    lsplugin plugin;
    QVERIFY(!plugin.initPlugin());
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
        QVERIFY(first->isVisible());
        QVERIFY(!first->parent());

        closeAndDelete(first);
        QVERIFY2(!first, "a closed main window deletes itself");
        QVERIFY(plugin.execute());
        QCOMPARE(mainWindows().size(), 1);
        second = mainWindows().first();
        QVERIFY(second->isVisible());
    }
    QVERIFY2(second && second->isVisible(), "destroying the plug-in object leaves its window open");
}

QTEST_MAIN(tst_HostBridge)

#include "tst_hostbridge.moc"
