#include "approx.h"

#include "quiver/csv.h"
#include "testfolder.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

Q_DECLARE_METATYPE(Eigen::MatrixXf)

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

Eigen::MatrixXf rows(std::initializer_list<std::initializer_list<float>> values)
{
    Eigen::MatrixXf m(Eigen::Index(values.size()), Eigen::Index(values.begin()->size()));
    Eigen::Index r = 0;
    for (const auto& row : values) {
        Eigen::Index c = 0;
        for (float v : row)
            m(r, c++) = v;
        ++r;
    }
    return m;
}

QString matrixDifference(const Eigen::MatrixXf& actual, const Eigen::MatrixXf& expected)
{
    if (actual.rows() != expected.rows() || actual.cols() != expected.cols())
        return QStringLiteral("%1 x %2, expected %3 x %4")
            .arg(actual.rows()).arg(actual.cols()).arg(expected.rows()).arg(expected.cols());
    const Eigen::Map<const Eigen::ArrayXf> a(actual.data(), actual.size());
    const Eigen::Map<const Eigen::ArrayXf> e(expected.data(), expected.size());
    return approx::difference(a, e, 0.0f);
}

} // namespace

class tst_Csv : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsValidText_data();
    void readsValidText();
    void reportsBadText_data();
    void reportsBadText();
    void reportsFilesThatCannotBeOpened();
    void readsUtf8Path();
    void roundTripsNineDigitValues();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void tst_Csv::init()
{
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
}


void tst_Csv::readsValidText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Eigen::MatrixXf>("expected");
    QTest::newRow("rows are lines") << QByteArray("1,2\n3,4\n") << rows({{1, 2}, {3, 4}});
    QTest::newRow("CRLF, no final line end") << QByteArray("1,2\r\n3,4") << rows({{1, 2}, {3, 4}});
    QTest::newRow("byte-order mark, spaces and tabs")
        << QByteArray("\xEF\xBB\xBF 1 ,\t2\t\r\n3,  4 \n") << rows({{1, 2}, {3, 4}});
    QTest::newRow("blank lines at the end") << QByteArray("1,2\n3,4\n\n \t\n\r\n") << rows({{1, 2}, {3, 4}});
    QTest::newRow("nan and inf") << QByteArray("nan,NaN\ninf,-inf\n") << rows({{kNan, kNan}, {kInf, -kInf}});
    QTest::newRow("exponents and short forms")
        << QByteArray("-1.5e-3,2E+2\n.5,5.\n") << rows({{-1.5e-3f, 200}, {0.5f, 5}});
    QTest::newRow("too small for a float is 0") << QByteArray("1e-50,-1e-400,0.00001e-400") << rows({{0, -0.0f, 0}});
    QTest::newRow("one value") << QByteArray("0.25") << rows({{0.25f}});
    QTest::newRow("not square") << QByteArray("1,2,3\n4,5,6\n") << rows({{1, 2, 3}, {4, 5, 6}});
}

void tst_Csv::readsValidText()
{
    QFETCH(QByteArray, content);
    QFETCH(Eigen::MatrixXf, expected);
    const QString difference = matrixDifference(quiver::from_csv(m_folder->write("m.csv", content).toStdString()), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_Csv::reportsBadText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message"); // after the file's path
    QTest::newRow("empty file") << QByteArray() << ": file is empty";
    QTest::newRow("only a byte-order mark and blank lines") << QByteArray("\xEF\xBB\xBF\n \r\n") << ": file is empty";
    QTest::newRow("word") << QByteArray("1,2\n3,abc\n") << ":2:3: not a number: 'abc'";
    QTest::newRow("number then text") << QByteArray("1, 2x ,3\n") << ":1:4: not a number: '2x'";
    QTest::newRow("space inside a value") << QByteArray("1,2 3\n") << ":1:3: not a number: '2 3'";
    QTest::newRow("leading plus") << QByteArray("+1,2\n") << ":1:1: not a number: '+1'";
    QTest::newRow("semicolon separator") << QByteArray("1;2\n") << ":1:1: not a number: '1;2'";
    QTest::newRow("decimal comma gives a count error") << QByteArray("1,5\n2,5,3\n") << ":2:5: line 2 has 3 values, expected 2";
    QTest::newRow("hexadecimal") << QByteArray("0x10\n") << ":1:1: not a number: '0x10'";
    QTest::newRow("exponent without digits") << QByteArray("1e\n") << ":1:1: not a number: '1e'";
    QTest::newRow("lone carriage return") << QByteArray("1,2\r3,4\n") << ":1:3: not a number: '2?3'";
    QTest::newRow("column counted after the byte-order mark") << QByteArray("\xEF\xBB\xBFx,1") << ":1:1: not a number: 'x'";
    QTest::newRow("long value shortened") << QByteArray(60, 'z') << ":1:1: not a number: '" + QString(40, 'z') + "...'";
    QTest::newRow("empty value") << QByteArray("1,,2\n1,2,3\n") << ":1:3: empty value";
    QTest::newRow("trailing comma") << QByteArray("1,2\n3,4, \n") << ":2:5: empty value";
    QTest::newRow("blank value at line start") << QByteArray("1,2\n ,4\n") << ":2:1: empty value";
    QTest::newRow("too few values") << QByteArray("1,2,3\n4,5\n") << ":2:4: line 2 has 2 values, expected 3";
    QTest::newRow("too many values") << QByteArray("1,2\r\n3,4,5,6\r\n") << ":2:5: line 2 has 4 values, expected 2";
    QTest::newRow("blank line inside") << QByteArray("1,2\n\n3,4\n") << ":2:1: blank line inside the matrix";
    QTest::newRow("too large for a float") << QByteArray("1,-1e39\n") << ":1:3: value out of range: '-1e39'";
    QTest::newRow("too large for a double") << QByteArray("1,0.1e400\n") << ":1:3: value out of range: '0.1e400'";
}

void tst_Csv::reportsBadText()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_folder->write("bad.csv", content);
    try {
        quiver::from_csv(path.toStdString());
        QFAIL("no exception");
    } catch (const quiver::csv_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), path + message);
    }
}

void tst_Csv::reportsFilesThatCannotBeOpened()
{
    const std::string missing = m_folder->filePath("missing.csv").toStdString();
    const std::string folder = m_folder->path().toStdString();
    for (const auto& [path, message] : {std::pair(missing, missing + ": cannot open file"),
                                        std::pair(folder, folder + ": cannot open file: it is a folder")}) {
        try {
            quiver::from_csv(path);
            QFAIL(path.c_str());
        } catch (const quiver::csv_error& e) {
            QCOMPARE(std::string(e.what()), message);
        }
    }
}

void tst_Csv::readsUtf8Path()
{
    const QString path = m_folder->write(QStringLiteral("Fächer/Matrix Σ.csv"), "1,2\n3,4\n");
    QCOMPARE(quiver::from_csv(path.toUtf8().toStdString()).rows(), 2);
}

void tst_Csv::roundTripsNineDigitValues()
{
    // A realistic size: the reader must keep every float of a 116 x 116
    // file, written with 9 significant digits, exactly.
    std::mt19937 random(4);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    Eigen::MatrixXf expected(116, 116);
    QByteArray content;
    for (int r = 0; r < 116; ++r) {
        for (int c = 0; c < 116; ++c) {
            expected(r, c) = value(random);
            content += QByteArray::number(double(expected(r, c)), 'g', 9) + (c < 115 ? "," : "\n");
        }
    }
    const Eigen::MatrixXf actual = quiver::from_csv(m_folder->write("large.csv", content).toStdString());
    const QString difference = matrixDifference(actual, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_APPLESS_MAIN(tst_Csv)
#include "tst_csv.moc"
