// The plug-in object against a host that is this test program: it exports
// the four host functions the plug-in calls and records every call. Which
// host the plug-in believes it runs in is seeded through HostModule.

#include "host/hostexport.h"
#include "mainwindow/kestrel.h"
#include "plugin/hostmodule.h"
#include "plugin/lsplugin.h"

#include <QApplication>
#include <QPointer>
#include <QTableView>
#include <QtTest>

#include <stdexcept>

namespace {

struct RecordingHost {
    int major = 2;
    int minor = 8;
    int patch = 0;
    bool failToLog = false;
    QStringList calls;
};

RecordingHost host;

const QString versionQuery = QStringLiteral("hxGetVersionOfLodestarHX");
const QStringList startCalls{
    versionQuery,
    QStringLiteral("hxShowLogPane"),
    QStringLiteral("hxLogText: Plugin> ** Starting Kestrel **"),
    QStringLiteral("hxLogText: Plugin> * Please check our support website "
                   "(https://support.corvane-neuro.com/kestrel) for frequent updates."),
};
const QStringList refusalCalls{
    versionQuery,
    QStringLiteral("hxMessageBox: Plugin> Can not execute this plugin - LodestarHX version 2.6.0 or higher required."),
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
    host.calls << versionQuery;
    *major = host.major;
    *minor = host.minor;
    *patch = host.patch;
}

LODESTAR_EXPORT void hxShowLogPane()
{
    host.calls << QStringLiteral("hxShowLogPane");
}

LODESTAR_EXPORT void hxLogText(const char* line)
{
    if (host.failToLog)
        throw std::runtime_error("the log pane is gone");
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
    void cleanupTestCase();

    void binding_data();
    void binding();
    void versionCheck_data();
    void versionCheck();
    void failingHostCallbackDoesNotEscape();

    void executeTwiceShowsOneWindow();
    void executeAfterCloseOpensFreshWindow();
    void destroyingPluginLeavesWindowOpen();
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

void tst_HostBridge::cleanupTestCase()
{
    HostModule::setExecutablePathProvider({});
}

void tst_HostBridge::binding_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<bool>("binds");

    QTest::newRow("LodestarHX") << "/opt/lodestar/LodestarHX" << true;
    QTest::newRow("LodestarHX.exe") << "/opt/lodestar/LodestarHX.exe" << true;
    QTest::newRow("Lodestar.exe, the fallback") << "/opt/lodestar/Lodestar.exe" << true;
    QTest::newRow("another program") << "/usr/bin/LodestarViewer" << false;
    QTest::newRow("only the folder is named like the host") << "/opt/LodestarHX/viewer" << false;
    QTest::newRow("running program unknown") << "" << false;
}

void tst_HostBridge::binding()
{
    QFETCH(QString, executable);
    QFETCH(bool, binds);
    runInsideHostAt(executable.toStdString());

    lsplugin plugin;
    QCOMPARE(plugin.initPlugin(), binds);
    // Outside a host the plug-in fails silently: it calls nothing.
    QCOMPARE(host.calls, binds ? startCalls : QStringList());
}

void tst_HostBridge::versionCheck_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("2.6.0, the oldest accepted") << 2 << 6 << 0 << true;
    QTest::newRow("2.7.0") << 2 << 7 << 0 << true;
    QTest::newRow("2.10.0 compares by number, not text") << 2 << 10 << 0 << true;
    QTest::newRow("3.0.0") << 3 << 0 << 0 << true;
    QTest::newRow("2.5.9") << 2 << 5 << 9 << false;
    QTest::newRow("1.9.9") << 1 << 9 << 9 << false;
    QTest::newRow("1.99.99, higher minor of an older major") << 1 << 99 << 99 << false;
}

void tst_HostBridge::versionCheck()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, patch);
    QFETCH(bool, accepted);
    host.major = major;
    host.minor = minor;
    host.patch = patch;

    lsplugin plugin;
    QCOMPARE(plugin.initPlugin(), accepted);
    QCOMPARE(host.calls, accepted ? startCalls : refusalCalls);
}

void tst_HostBridge::failingHostCallbackDoesNotEscape()
{
    host.failToLog = true;
    QTest::ignoreMessage(QtWarningMsg, "Kestrel: initialisation failed: the log pane is gone");

    lsplugin plugin;
    QVERIFY(!plugin.initPlugin());
}

void tst_HostBridge::executeTwiceShowsOneWindow()
{
    lsplugin plugin;
    QVERIFY(plugin.initPlugin());
    QVERIFY(plugin.execute());
    QVERIFY(plugin.execute());

    const QList<Kestrel*> windows = mainWindows();
    QCOMPARE(windows.size(), 1);
    Kestrel* window = windows.first();
    QVERIFY(window->isVisible());
    QVERIFY(!window->parent());
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
}

void tst_HostBridge::executeAfterCloseOpensFreshWindow()
{
    lsplugin plugin;
    QVERIFY(plugin.initPlugin());
    QVERIFY(plugin.execute());
    QPointer<Kestrel> first = mainWindows().value(0);
    QVERIFY(first);

    closeAndDelete(first);
    QVERIFY2(!first, "a closed main window deletes itself");
    QVERIFY(mainWindows().isEmpty());

    QVERIFY(plugin.execute());
    const QList<Kestrel*> windows = mainWindows();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    auto* subjects = windows.first()->findChild<QTableView*>(QStringLiteral("tbl_Subjects"));
    QVERIFY(subjects && subjects->model());
    QCOMPARE(subjects->model()->rowCount(), 0);
}

void tst_HostBridge::destroyingPluginLeavesWindowOpen()
{
    QPointer<Kestrel> window;
    {
        lsplugin plugin;
        QVERIFY(plugin.initPlugin());
        QVERIFY(plugin.execute());
        window = mainWindows().value(0);
    }
    QVERIFY(window);
    QVERIFY(window->isVisible());
}

QTEST_MAIN(tst_HostBridge)

#include "tst_hostbridge.moc"
