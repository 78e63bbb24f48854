#include "study/studymanifestreader.h"
#include "testmanifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

using namespace testmanifest;

static const QStringList kKeys{
    "manifest-version", "unique_id", "date", "versions.Weft", "versions.quiver", "versions.Lodestar", "study_data.ANA",
    "study_data.FTC", "study_data.VOI", "study_data.STP", "study_data.VOIs_names", "study_data.VOIs_sizes",
    "study_data.STP_Conditions", "configuration.method", "configuration.selected_vois", "configuration.uses_proto",
    "configuration.ordered_conditions", "configuration.selected_conditions", "configuration.treatment_values",
    "result_data.timeseries", "result_data.connectivity_mtx", "result_data.treatment_values", "result_data.treatment_mtx",
    "result_data.final_mtx", "comments"};

// A manifest of three VOIs with the key set to the value, or without the key for an undefined value.
static QByteArray manifestWith(const QString& key, const QJsonValue& value)
{
    QJsonObject json = validManifest("sub-01", {"Insula_L", "Insula_R", "Cuneus_L"}, {"rest.csv"});
    value.isUndefined() ? removeKey(json, key) : setKey(json, key, value);
    return QJsonDocument(json).toJson();
}

// Reads the content (no file when null, a folder for "folder"): the error after the path, or "=" and the
// VOI sizes, condition names and types and "proto" when the protocol is used.
static QString read(const QByteArray& content)
{
    static QTemporaryDir dir;
    static int files = 0; // each manifest in a folder of its own
    const QString name = QString::number(++files) + "/manifest.json", path = dir.filePath(name);
    if (content == "folder")
        QDir().mkpath(path);
    else if (!content.isNull())
        writeFile(dir.path(), name, content);
    try {
        const StudyManifest m = readStudyManifest(path.toStdString());
        std::string read = "=";
        for (int size : m.getVoiSizes())
            read += " " + std::to_string(size);
        for (const OrderedCondition& c : m.getOrderedConditions())
            read += " " + c.name + std::to_string(c.t) + ":" + std::to_string(c.type);
        return QString::fromStdString(read + (m.usesProto() ? " proto" : ""));
    } catch (const StudyManifestError& e) {
        return QString::fromUtf8(e.what()).remove(0, path.size());
    }
}

class tst_StudyManifest : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

void tst_StudyManifest::read_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file; "folder": a folder
    QTest::addColumn<QString>("error");      // after the file's path, or what was read
    // Integers are read like std::stoi reads base-10 text; a condition type other than 1 is 2.
    QTest::newRow("odd integers") << manifestWith("study_data.VOIs_sizes", QJsonArray{"12abc", " \t\n-7", "3.9", "2147483647", "-2147483648"})
                                  << "= 12 -7 3 2147483647 -2147483648";
    QJsonArray conditions;
    for (const QJsonValue& type : {QJsonValue(1), QJsonValue("1"), QJsonValue(0), QJsonValue(7)})
        conditions.append(QJsonObject{{"t", conditions.size()}, {"name", "C"}, {"type", type}});
    QTest::newRow("condition types") << manifestWith("configuration.ordered_conditions", conditions) << "= 100 101 102 C0:1 C1:1 C2:2 C3:2";
    QTest::newRow("uses_proto 1") << manifestWith("configuration.uses_proto", 1) << "= 100 101 102 proto";
    QTest::newRow("uses_proto \"0\"") << manifestWith("configuration.uses_proto", "0") << "= 100 101 102";
    for (const QString& key : kKeys)
        QTest::addRow("no %s", qPrintable(key)) << manifestWith(key, QJsonValue::Undefined) << ": No such node (" + key + ")";
    const QString sizes = ": study_data.VOIs_sizes[1]: ";
    QTest::newRow("letters") << manifestWith("study_data.VOIs_sizes", QJsonArray{5, "abc"}) << sizes + "invalid stoi argument (\"abc\")";
    QTest::newRow("above int") << manifestWith("study_data.VOIs_sizes", QJsonArray{5, "2147483648"})
                               << sizes + "stoi argument out of range (\"2147483648\")";
    QTest::newRow("uses_proto 2") << manifestWith("configuration.uses_proto", 2)
        << ": configuration.uses_proto: conversion of data to type \"b\" failed (\"2\" is not true, false, 1 or 0)";
    QTest::newRow("condition without t")
        << manifestWith("configuration.ordered_conditions", QJsonArray{QJsonObject{{"name", "R"}, {"type", 1}}})
        << ": configuration.ordered_conditions[0]: No such node (t)";
    QTest::newRow("missing") << QByteArray() << ": cannot open file";
    QTest::newRow("folder") << QByteArray("folder") << ": cannot open file: it is a folder";
    QTest::newRow("bad JSON names its line") << QByteArray("{\n \"a\": 1,\n \"date\": ,\n}\n") << "(3): expected value";
    // The parser recurses per level; past 64 the stack of a GUI thread is at risk.
    const QString tooDeep = "(%1): objects and arrays nested deeper than 64 levels";
    QTest::newRow("100000 levels") << "{\"x\":" + QByteArray(100000, '[') + QByteArray(100000, ']') + "}" << tooDeep.arg(1);
    QTest::newRow("65 levels, on line 2") << "{\n\"x\":" + QByteArray(64, '[') + QByteArray(64, ']') + "}" << tooDeep.arg(2);
    QTest::newRow("brackets in strings") << "{\"x\":\"\\\"" + QByteArray(100, '[') + "\"}" << ": No such node (manifest-version)";
    QByteArray exactly64 = "\xEF\xBB\xBF" + manifestWith("comments", QJsonValue::Undefined); // with a byte-order mark
    exactly64.insert(exactly64.indexOf('{') + 1, "\"comments\":" + QByteArray(63, '[') + QByteArray(63, ']') + ',');
    QTest::newRow("exactly 64 levels and a byte-order mark") << exactly64 << "= 100 101 102";
}

void tst_StudyManifest::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QCOMPARE(::read(content), error);
}

QTEST_APPLESS_MAIN(tst_StudyManifest)
#include "tst_studymanifest.moc"
