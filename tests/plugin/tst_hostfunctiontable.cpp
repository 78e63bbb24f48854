#include "plugin/hostfunctiontable.h"

#include <QSet>
#include <QStringList>
#include <QtTest>

namespace {

void hostFunction() {}

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
    QTest::newRow("lacks the version query, nothing stays bound")
        << QStringList{QStringLiteral("hxGetVersionOfLodestarHX")} << false << 0;
}

void tst_HostFunctionTable::bind()
{
    QFETCH(QStringList, missing);
    QFETCH(bool, bound);
    QFETCH(int, boundCount);

    HostFunctionTable table;
    QVERIFY(table.bind(hostWithout({})));
    // Binding again must not keep entries of the earlier host.
    QCOMPARE(table.bind(hostWithout(missing)), bound);
    QCOMPARE(static_cast<int>(table.boundCount()), boundCount);
    for (const QString& name : missing)
        QVERIFY(!table.function(name.toLatin1().constData()));
}

QTEST_APPLESS_MAIN(tst_HostFunctionTable)

#include "tst_hostfunctiontable.moc"
