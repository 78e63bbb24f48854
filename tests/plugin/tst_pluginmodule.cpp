// The plug-in library as the host sees it: reached only through its exported
// symbols. What they say is checked through the stand-in host.

#include <QProcess>
#include <QtTest>

class tst_PluginModule : public QObject {
    Q_OBJECT

private slots:
    void exportsOnlyTheEntryPointsAndPluginClasses();
};

void tst_PluginModule::exportsOnlyTheEntryPointsAndPluginClasses()
{
    QProcess nm;
    nm.start(QStringLiteral(KESTREL_NM), {"-D", "--defined-only", "-C", QStringLiteral(KESTREL_MODULE_PATH)});
    QVERIFY(nm.waitForFinished(30000));
    QCOMPARE(nm.exitCode(), 0);
    // "0000000000012340 T lsplugin::execute()": the name follows the type letter.
    QStringList exported;
    for (const QString& line : QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        exported << line.section(' ', 2);
    exported.removeDuplicates(); // Constructors and destructors come in several variants.
    exported.sort();
    const QStringList expected{
        "LSHXPluginInterface::LSHXPluginInterface()",
        "LSHXPluginInterface::LSHXPluginInterface(LSHXPluginInterface const&)",
        "LSHXPluginInterface::operator=(LSHXPluginInterface const&)",
        "LSHXPluginInterface::~LSHXPluginInterface()",
        "createPlugin", "getAuthor", "getGUIScript", "getHelpFile", "getPluginDescription", "getPluginName",
        "getPluginVersion", "lsplugin::execute()", "lsplugin::initPlugin()", "lsplugin::lsplugin()",
        "lsplugin::~lsplugin()", "qxtVersion()", "vtable for LSHXPluginInterface",
    };
    QCOMPARE(exported, expected);
}

QTEST_GUILESS_MAIN(tst_PluginModule)

#include "tst_pluginmodule.moc"
