#include "plugin/hostfunctiontable.h"

#include <QSet>
#include <QStringList>
#include <QtTest>

namespace {

QStringList lastCalls;

void hostFunction() {}
void showLogPane() { lastCalls << QStringLiteral("showLogPane"); }
void logText(const char* line) { lastCalls << QStringLiteral("logText ") + QString::fromUtf8(line); }

// A host that exports every name except those in missing.
HostFunctionTable::Resolver hostWithout(const QStringList& missing)
{
    return [missing](const char* name) -> HostFunctionTable::Function {
        return missing.contains(QString::fromLatin1(name)) ? nullptr : hostFunction;
    };
}

} // namespace

class tst_HostFunctionTable : public QObject {
    Q_OBJECT

private slots:
    void namesAreTheHostsFunctions();
    void bind_data();
    void bind();
    void looksUpTheVersionQueryFirstAndEveryNameOnce();
    void failedBindingEmptiesTheTable();
    void callsReachTheFunctionsBoundUnderTheirNames();
};

void tst_HostFunctionTable::namesAreTheHostsFunctions()
{
    QSet<QString> names;
    for (std::size_t i = 0; i < HostFunctionTable::size; ++i) {
        const QString name = QString::fromLatin1(HostFunctionTable::name(i));
        QVERIFY2(name.startsWith(QLatin1String("hx")), qPrintable(name));
        names.insert(name);
    }
    QCOMPARE(names.size(), 190);
    for (const char* called : {"hxGetVersionOfLodestarHX", "hxShowLogPane", "hxLogText", "hxMessageBox"})
        QVERIFY2(names.contains(QString::fromLatin1(called)), called);
}

void tst_HostFunctionTable::bind_data()
{
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<bool>("bound");
    QTest::addColumn<int>("boundCount");

    QTest::newRow("complete host") << QStringList() << true << 190;
    QTest::newRow("lacks uncalled functions")
        << QStringList{QStringLiteral("hxHideLogPane"), QStringLiteral("hxGetColorInput")} << true << 188;
    QTest::newRow("lacks the version query") << QStringList{QStringLiteral("hxGetVersionOfLodestarHX")} << false << 0;
}

void tst_HostFunctionTable::bind()
{
    QFETCH(QStringList, missing);
    QFETCH(bool, bound);
    QFETCH(int, boundCount);

    HostFunctionTable table;
    QCOMPARE(table.bind(hostWithout(missing)), bound);
    QCOMPARE(static_cast<int>(table.boundCount()), boundCount);
    for (const QString& name : missing)
        QVERIFY(!table.function(name.toLatin1().constData()));
}

void tst_HostFunctionTable::looksUpTheVersionQueryFirstAndEveryNameOnce()
{
    QStringList lookedUp;
    HostFunctionTable table;
    table.bind([&lookedUp](const char* name) -> HostFunctionTable::Function {
        lookedUp << QString::fromLatin1(name);
        return hostFunction;
    });

    QCOMPARE(lookedUp.size(), 190);
    QCOMPARE(lookedUp.first(), QStringLiteral("hxGetVersionOfLodestarHX"));
    QCOMPARE(QSet<QString>(lookedUp.begin(), lookedUp.end()).size(), 190);
}

void tst_HostFunctionTable::failedBindingEmptiesTheTable()
{
    HostFunctionTable table;
    QVERIFY(table.bind(hostWithout({})));
    QVERIFY(!table.bind(hostWithout({QStringLiteral("hxGetVersionOfLodestarHX")})));
    QCOMPARE(static_cast<int>(table.boundCount()), 0);
}

void tst_HostFunctionTable::callsReachTheFunctionsBoundUnderTheirNames()
{
    HostFunctionTable table;
    // hxMessageBox is missing: calling it must do nothing rather than crash.
    table.bind([](const char* name) -> HostFunctionTable::Function {
        const QByteArray function(name);
        if (function == "hxShowLogPane")
            return showLogPane;
        if (function == "hxLogText")
            return reinterpret_cast<HostFunctionTable::Function>(logText);
        if (function == "hxMessageBox")
            return nullptr;
        return hostFunction;
    });
    lastCalls.clear();

    table.showLogPane();
    table.logText("line");
    table.messageBox("text");

    QCOMPARE(lastCalls, (QStringList{QStringLiteral("showLogPane"), QStringLiteral("logText line")}));
}

QTEST_APPLESS_MAIN(tst_HostFunctionTable)

#include "tst_hostfunctiontable.moc"
