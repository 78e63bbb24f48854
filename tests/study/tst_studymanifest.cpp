#include "study/studymanifestreader.h"
#include "testmanifest.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

using namespace testmanifest;

class tst_StudyManifest : public QObject {
    Q_OBJECT

private slots:
    void eachKeyFillsItsField();
    void integers_data();
    void integers();
    void conditionTypeIsOneOrTwo();
    void selectedVoisGiveNodeNamesInSelectionOrder();
    void usesProto_data();
    void usesProto();
    void everyKeyIsRequired_data();
    void everyKeyIsRequired();
    void firstMissingKeyIsReported();
    void valuesOfAnyShape();
    void unreadableFiles_data();
    void unreadableFiles();
    void nestingAtTheBoundAndByteOrderMark();

private:
    StudyManifest read(const QJsonObject& manifest);
    QString readError(const QJsonObject& manifest);

    QTemporaryDir m_dir;
};

// A manifest that fails to read fails the test function, not the program.
StudyManifest tst_StudyManifest::read(const QJsonObject& manifest)
{
    try {
        return readStudyManifest(writeManifest(m_dir.path(), manifest).toStdString());
    } catch (const std::exception& e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
    }
    return StudyManifest();
}

QString tst_StudyManifest::readError(const QJsonObject& manifest)
{
    try {
        readStudyManifest(writeManifest(m_dir.path(), manifest).toStdString());
    } catch (const StudyManifestError& e) {
        return QString::fromStdString(e.what());
    } catch (const std::exception& e) {
        return QStringLiteral("not a StudyManifestError: ") + e.what();
    }
    return QString();
}

static QJsonObject threeNodeManifest()
{
    return validManifest("sub-01", {"Insula_L", "Insula_R", "Cuneus_L"}, {"rest.csv"});
}

// Every text key is set to its own path, so a key read into the wrong field
// shows as the wrong text.
void tst_StudyManifest::eachKeyFillsItsField()
{
    using Text = const std::string& (StudyManifest::*)() const;
    using Texts = const std::vector<std::string>& (StudyManifest::*)() const;
    const std::vector<std::pair<QString, Text>> texts{
        {"manifest-version", &StudyManifest::getManifestVersion}, {"unique_id", &StudyManifest::getUniqueId},
        {"date", &StudyManifest::getDate}, {"versions.Weft", &StudyManifest::getVersionWeft},
        {"versions.quiver", &StudyManifest::getVersionQuiver}, {"versions.Lodestar", &StudyManifest::getVersionLodestar},
        {"study_data.ANA", &StudyManifest::getAnaFile}, {"study_data.FTC", &StudyManifest::getFtcFile},
        {"study_data.VOI", &StudyManifest::getVoiFile}, {"study_data.STP", &StudyManifest::getStpFile},
        {"configuration.method", &StudyManifest::getMethod},
        {"configuration.treatment_values", &StudyManifest::getTreatmentValues}, {"comments", &StudyManifest::getComments}};
    const std::vector<std::pair<QString, Texts>> lists{
        {"study_data.VOIs_names", &StudyManifest::getVoiNames},
        {"study_data.STP_Conditions", &StudyManifest::getStpConditions},
        {"configuration.selected_conditions", &StudyManifest::getSelectedConditions},
        {"result_data.timeseries", &StudyManifest::getTimeseriesFiles},
        {"result_data.connectivity_mtx", &StudyManifest::getConnectivityFiles},
        {"result_data.treatment_values", &StudyManifest::getTreatmentValueFiles},
        {"result_data.treatment_mtx", &StudyManifest::getTreatmentMatrixFiles},
        {"result_data.final_mtx", &StudyManifest::getFinalMatrixFiles}};

    QJsonObject json = threeNodeManifest();
    for (const auto& [key, getter] : texts)
        setKey(json, key, key);
    for (const auto& [key, getter] : lists)
        setKey(json, key, QJsonArray{key, "second"});
    setKey(json, "configuration.selected_vois", QJsonArray{0});
    setKey(json, "configuration.ordered_conditions", QJsonArray{QJsonObject{{"t", "12"}, {"name", "Cue"}, {"type", 1}}});

    const StudyManifest m = read(json);
    for (const auto& [key, getter] : texts)
        QCOMPARE(QString::fromStdString((m.*getter)()), key);
    for (const auto& [key, getter] : lists)
        QCOMPARE((m.*getter)(), (std::vector<std::string>{key.toStdString(), "second"}));
    QCOMPARE(m.getVoiSizes(), (std::vector<int>{100, 101, 102}));
    QCOMPARE(m.getSelectedVois(), std::vector<int>{0});
    QCOMPARE(m.getOrderedConditions().at(0).t, 12);
    QCOMPARE(m.getOrderedConditions().at(0).name, "Cue");
}

// Integers are read like std::stoi reads base-10 text, with our own messages.
void tst_StudyManifest::integers_data()
{
    QTest::addColumn<QJsonValue>("size");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("error");

    QTest::newRow("number") << QJsonValue(12) << 12 << "";
    QTest::newRow("digits then letters") << QJsonValue("12abc") << 12 << "";
    QTest::newRow("white space and sign") << QJsonValue(" \t\n-7") << -7 << "";
    QTest::newRow("stops at a point") << QJsonValue("3.9") << 3 << "";
    QTest::newRow("largest int") << QJsonValue("2147483647") << 2147483647 << "";
    QTest::newRow("smallest int") << QJsonValue("-2147483648") << int(-2147483648LL) << "";
    QTest::newRow("letters first") << QJsonValue("abc") << 0 << "invalid stoi argument";
    QTest::newRow("empty") << QJsonValue("") << 0 << "invalid stoi argument";
    QTest::newRow("space after sign") << QJsonValue("- 1") << 0 << "invalid stoi argument";
    QTest::newRow("one above the largest") << QJsonValue("2147483648") << 0 << "stoi argument out of range";
    QTest::newRow("one below the smallest") << QJsonValue("-2147483649") << 0 << "stoi argument out of range";
}

void tst_StudyManifest::integers()
{
    QFETCH(QJsonValue, size);
    QFETCH(int, value);
    QFETCH(QString, error);

    QJsonObject json = threeNodeManifest();
    setKey(json, "study_data.VOIs_sizes", QJsonArray{5, size, 7});
    if (error.isEmpty()) {
        QCOMPARE(read(json).getVoiSizes(), (std::vector<int>{5, value, 7}));
    } else {
        const QString message = readError(json);
        QVERIFY2(message.startsWith(m_dir.path() + "/manifest.json: study_data.VOIs_sizes[1]: " + error),
                 qPrintable(message));
    }
}

void tst_StudyManifest::conditionTypeIsOneOrTwo()
{
    QJsonArray conditions;
    for (const QJsonValue& type : {QJsonValue(1), QJsonValue("1"), QJsonValue(0), QJsonValue(2), QJsonValue(7)})
        conditions.append(QJsonObject{{"t", 3}, {"name", "Rest"}, {"type", type}});
    QJsonObject json = threeNodeManifest();
    setKey(json, "configuration.ordered_conditions", conditions);

    QList<int> types;
    for (const OrderedCondition& condition : read(json).getOrderedConditions())
        types.append(condition.type);
    QCOMPARE(types, (QList<int>{1, 1, 2, 2, 2}));
}

void tst_StudyManifest::selectedVoisGiveNodeNamesInSelectionOrder()
{
    QJsonObject json = threeNodeManifest();
    setKey(json, "configuration.selected_vois", QJsonArray{2, 0});
    QCOMPARE(read(json).selectedVoiNames(), (std::vector<std::string>{"Cuneus_L", "Insula_L"}));

    for (int outside : {3, -1}) {
        setKey(json, "configuration.selected_vois", QJsonArray{0, outside});
        const StudyManifest manifest = read(json);
        QVERIFY_EXCEPTION_THROWN(manifest.selectedVoiNames(), std::out_of_range);
    }
}

void tst_StudyManifest::usesProto_data()
{
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("expected");

    QTest::newRow("true") << QJsonValue(true) << true << true;
    QTest::newRow("1") << QJsonValue(1) << true << true;
    QTest::newRow("0") << QJsonValue(0) << true << false;
    QTest::newRow("\"0\"") << QJsonValue("0") << true << false;
    QTest::newRow("2") << QJsonValue(2) << false << false;
    QTest::newRow("\"yes\"") << QJsonValue("yes") << false << false;
    QTest::newRow("null") << QJsonValue() << false << false;
}

void tst_StudyManifest::usesProto()
{
    QFETCH(QJsonValue, value);
    QFETCH(bool, accepted);
    QFETCH(bool, expected);

    QJsonObject json = threeNodeManifest();
    setKey(json, "configuration.uses_proto", value);
    if (accepted) {
        QCOMPARE(read(json).usesProto(), expected);
    } else {
        const QString message = readError(json);
        QVERIFY2(message.contains("configuration.uses_proto: conversion of data to type"), qPrintable(message));
    }
}

void tst_StudyManifest::everyKeyIsRequired_data()
{
    QTest::addColumn<QString>("key");
    for (const char* key :
         {"manifest-version", "unique_id", "date", "versions.Weft", "versions.quiver", "versions.Lodestar",
          "study_data.ANA", "study_data.FTC", "study_data.VOI", "study_data.STP", "study_data.VOIs_names",
          "study_data.VOIs_sizes", "study_data.STP_Conditions", "configuration.method",
          "configuration.selected_vois", "configuration.uses_proto", "configuration.ordered_conditions",
          "configuration.selected_conditions", "configuration.treatment_values", "result_data.timeseries",
          "result_data.connectivity_mtx", "result_data.treatment_values", "result_data.treatment_mtx",
          "result_data.final_mtx", "comments"})
        QTest::newRow(key) << key;
}

void tst_StudyManifest::everyKeyIsRequired()
{
    QFETCH(QString, key);
    QJsonObject json = threeNodeManifest();
    removeKey(json, key);
    const QString message = readError(json);
    QCOMPARE(message, m_dir.path() + "/manifest.json: No such node (" + key + ")");
}

void tst_StudyManifest::firstMissingKeyIsReported()
{
    QJsonObject json = threeNodeManifest();
    removeKey(json, "comments");
    removeKey(json, "configuration.method");
    removeKey(json, "study_data.FTC");
    QVERIFY(readError(json).endsWith("No such node (study_data.FTC)"));

    QJsonObject condition{{"name", "Rest"}, {"type", 1}};
    json = threeNodeManifest();
    setKey(json, "configuration.ordered_conditions", QJsonArray{condition});
    QVERIFY(readError(json).endsWith("configuration.ordered_conditions[0]: No such node (t)"));
}

void tst_StudyManifest::valuesOfAnyShape()
{
    QJsonObject json = threeNodeManifest();
    setKey(json, "unique_id", 4711);
    setKey(json, "comments", QJsonObject{{"text", "an object"}});
    setKey(json, "date", QJsonArray{"2026"});
    setKey(json, "study_data.STP_Conditions", "Rest");
    setKey(json, "result_data.timeseries", QJsonObject{{"b", "second.csv"}, {"a", "first.csv"}});
    setKey(json, "extra", 1);
    setKey(json, "configuration.extra", QJsonArray{1, 2});

    const StudyManifest m = read(json);
    QCOMPARE(m.getUniqueId(), "4711");
    QCOMPARE(m.getComments(), "");
    QCOMPARE(m.getDate(), "");
    QVERIFY(m.getStpConditions().empty());
    // The members come in file order; QJsonDocument writes keys sorted.
    QCOMPARE(m.getTimeseriesFiles(), (std::vector<std::string>{"first.csv", "second.csv"}));
}

void tst_StudyManifest::unreadableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: no file; "folder": a folder
    QTest::addColumn<QString>("message");    // after the file's path

    const QByteArray deep = QByteArray(100000, '[') + QByteArray(100000, ']');
    QTest::newRow("missing") << "missing.json" << QByteArray() << ": cannot open file";
    QTest::newRow("folder") << "folder.json" << QByteArray("folder") << ": cannot open file: it is a folder";
    QTest::newRow("bad JSON names its line")
        << "broken.json" << QByteArray("{\n  \"unique_id\": \"a\",\n  \"date\": ,\n}\n") << "(3): expected value";
    QTest::newRow("nested 100000 deep")
        << "deep.json" << "{\"x\":" + deep + "}" << "(1): objects and arrays nested deeper than 64 levels";
    QTest::newRow("one level past the bound, on line 2")
        << "deep.json" << "{\n\"x\":" + QByteArray(64, '[') + QByteArray(64, ']') + "}"
        << "(2): objects and arrays nested deeper than 64 levels";
    QTest::newRow("brackets in strings do not nest")
        << "strings.json" << "{\"x\":\"\\\"" + QByteArray(100, '[') + "\"}" << ": No such node (manifest-version)";
}

void tst_StudyManifest::unreadableFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(name);
    if (content == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (!content.isNull())
        writeFile(m_dir.path(), name, content);

    QString error = "read";
    try {
        readStudyManifest(path.toStdString());
    } catch (const StudyManifestError& e) {
        error = e.what();
    } catch (const std::exception& e) {
        error = QStringLiteral("not a StudyManifestError: ") + e.what();
    }
    QCOMPARE(error, path + message);
}

// At the bound, and with a byte-order mark, the manifest reads.
void tst_StudyManifest::nestingAtTheBoundAndByteOrderMark()
{
    QJsonArray nested;
    for (int level = 2; level < 64; ++level)
        nested = QJsonArray{nested};
    QJsonObject json = threeNodeManifest();
    setKey(json, "extra", nested); // the root object and 63 arrays
    const QString path = writeFile(m_dir.path(), "bom.json", "\xEF\xBB\xBF" + QJsonDocument(json).toJson());
    QCOMPARE(readStudyManifest(path.toStdString()).getUniqueId(), "sub-01");
}

QTEST_APPLESS_MAIN(tst_StudyManifest)
#include "tst_studymanifest.moc"
