// The plug-in library as the host sees it: loaded at run time, reached only
// through its exported symbols.

#include <QLibrary>
#include <QProcess>
#include <QtTest>

class tst_PluginModule : public QObject {
    Q_OBJECT

private slots:
    void descriptiveStrings();
    void exportsOnlyTheEntryPointsAndPluginClasses();
};

void tst_PluginModule::descriptiveStrings()
{
    QLibrary module(QStringLiteral(KESTREL_MODULE_PATH));
    QVERIFY2(module.load(), qPrintable(module.errorString()));
    const QList<QPair<const char*, QByteArray>> strings{
        {"getPluginName", "Kestrel"}, {"getPluginDescription", ""}, {"getAuthor", "<i>Corvane</i>"},
        {"getHelpFile", "index.html"}, {"getPluginVersion", "1.0.0-alpha"}, {"getGUIScript", "Kestrel.js"},
        {"_Z10qxtVersionv", "0.7.0"}, // qxtVersion(), by its C++ name
    };
    for (const auto& [symbol, expected] : strings) {
        const auto entryPoint = reinterpret_cast<const char* (*)()>(module.resolve(symbol));
        QVERIFY2(entryPoint && entryPoint(), symbol); // the empty description is "", not null
        QCOMPARE(QByteArray(entryPoint()), expected);
    }
}

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

QTEST_MAIN(tst_PluginModule)

#include "tst_pluginmodule.moc"
