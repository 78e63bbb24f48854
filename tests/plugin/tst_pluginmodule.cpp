// The plug-in library as the host sees it: loaded at run time, reached only
// through its exported symbols.

#include <QLibrary>
#include <QProcess>
#include <QtTest>

class tst_PluginModule : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void descriptiveStrings_data();
    void descriptiveStrings();
    void exportsOnlyTheEntryPointsAndPluginClasses();

private:
    QLibrary m_module{QStringLiteral(KESTREL_MODULE_PATH)};
};

void tst_PluginModule::initTestCase()
{
    QVERIFY2(m_module.load(), qPrintable(m_module.errorString()));
}

void tst_PluginModule::cleanupTestCase()
{
    m_module.unload();
}

void tst_PluginModule::descriptiveStrings_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("name") << QByteArray("getPluginName") << QByteArray("Kestrel");
    QTest::newRow("description is empty, not null") << QByteArray("getPluginDescription") << QByteArray("");
    QTest::newRow("author") << QByteArray("getAuthor") << QByteArray("<i>Corvane</i>");
    QTest::newRow("help file") << QByteArray("getHelpFile") << QByteArray("index.html");
    QTest::newRow("version") << QByteArray("getPluginVersion") << QByteArray("1.0.0-alpha");
    QTest::newRow("GUI script") << QByteArray("getGUIScript") << QByteArray("Kestrel.js");
    QTest::newRow("qxtVersion(), by its C++ name") << QByteArray("_Z10qxtVersionv") << QByteArray("0.7.0");
}

void tst_PluginModule::descriptiveStrings()
{
    QFETCH(QByteArray, symbol);
    QFETCH(QByteArray, expected);

    const auto entryPoint = reinterpret_cast<const char* (*)()>(m_module.resolve(symbol.constData()));
    QVERIFY2(entryPoint, symbol.constData());
    const char* text = entryPoint();
    QVERIFY(text);
    QCOMPARE(QByteArray(text), expected);
}

void tst_PluginModule::exportsOnlyTheEntryPointsAndPluginClasses()
{
    QProcess nm;
    nm.start(QStringLiteral(KESTREL_NM),
             {QStringLiteral("-D"), QStringLiteral("--defined-only"), QStringLiteral("-C"), m_module.fileName()});
    QVERIFY(nm.waitForFinished(30000));
    QCOMPARE(nm.exitCode(), 0);

    // "0000000000012340 T lsplugin::execute()": the name follows the type letter.
    QStringList exported;
    for (const QString& line : QString::fromUtf8(nm.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        exported << line.section(QLatin1Char(' '), 2);
    exported.removeDuplicates(); // Constructors and destructors come in several variants.
    exported.sort();

    QStringList expected{
        QStringLiteral("LSHXPluginInterface::LSHXPluginInterface()"),
        QStringLiteral("LSHXPluginInterface::LSHXPluginInterface(LSHXPluginInterface const&)"),
        QStringLiteral("LSHXPluginInterface::operator=(LSHXPluginInterface const&)"),
        QStringLiteral("LSHXPluginInterface::~LSHXPluginInterface()"),
        QStringLiteral("createPlugin"),
        QStringLiteral("getAuthor"),
        QStringLiteral("getGUIScript"),
        QStringLiteral("getHelpFile"),
        QStringLiteral("getPluginDescription"),
        QStringLiteral("getPluginName"),
        QStringLiteral("getPluginVersion"),
        QStringLiteral("lsplugin::execute()"),
        QStringLiteral("lsplugin::initPlugin()"),
        QStringLiteral("lsplugin::lsplugin()"),
        QStringLiteral("lsplugin::~lsplugin()"),
        QStringLiteral("qxtVersion()"),
        QStringLiteral("vtable for LSHXPluginInterface"),
    };
    expected.sort();
    QCOMPARE(exported, expected);
}

QTEST_MAIN(tst_PluginModule)

#include "tst_pluginmodule.moc"
