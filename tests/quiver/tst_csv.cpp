#include "approx.h"

#include "quiver/csv.h"
#include "testfolder.h"

#include <limits>

Q_DECLARE_METATYPE(Eigen::MatrixXf)

class tst_Csv : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();

private:
    TestFolder m_folder;
};

void tst_Csv::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Eigen::MatrixXf>("expected");
    QTest::addColumn<QString>("error"); // after the file's path
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const auto row = [](const char* name, const QByteArray& content, const QString& error, const Eigen::MatrixXf& m = {}) {
        QTest::newRow(name) << content << m << error;
    };
    row("not square, CRLF, no final line end", "1,2,3\r\n4,5,6", "", (Eigen::MatrixXf(2, 3) << 1, 2, 3, 4, 5, 6).finished());
    row("byte-order mark, spaces, tabs, blank lines at the end", "\xEF\xBB\xBF 1 ,\t2\t\r\n3,  4 \n\n \t\n\r\n", "",
        (Eigen::MatrixXf(2, 2) << 1, 2, 3, 4).finished());
    row("nan, inf, exponents, too small is 0, 9 digits kept", "nan,NaN,-1.5e-3\ninf,-inf,1e-50\n.123456791,-9.87654325e-05,16777216", "",
        (Eigen::MatrixXf(3, 3) << nan, nan, -1.5e-3f, inf, -inf, 0, 0.123456791f, -9.87654325e-05f, 16777216).finished());
    row("one very wide row, not room for its square", QByteArray("0,").repeated(199999) + "0\n", "", Eigen::MatrixXf::Zero(1, 200000));
    row("only blank lines", "\n \r\n", ": file is empty");
    row("word", "1,2\n3,abc\n", ":2:3: not a number: 'abc'");
    row("number then text", "1, 2x ,3\n", ":1:4: not a number: '2x'");
    row("value of 41 characters shortened", QByteArray(41, 'z'), ":1:1: not a number: '" + QString(40, 'z') + "...'");
    row("empty value", "1,,2\n1,2,3\n", ":1:3: empty value");
    row("too few values", "1,2,3\n4,5\n", ":2:4: line 2 has 2 values, expected 3");
    row("blank line inside", "1,2\n\n\n3,4\n", ":2:1: blank line inside the matrix");
    row("too large for a float", "1,-1e39\n", ":1:3: value out of range: '-1e39'");
}

void tst_Csv::read()
{
    QFETCH(QByteArray, content);
    QFETCH(Eigen::MatrixXf, expected);
    QFETCH(QString, error);
    const QString path = m_folder.write("m.csv", content);
    try {
        COMPARE_WITHIN(quiver::from_csv(path.toStdString()), expected, 0.0f);
        QVERIFY2(error.isEmpty(), "no error");
    } catch (const quiver::csv_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), path + error);
    }
}

QTEST_APPLESS_MAIN(tst_Csv)
#include "tst_csv.moc"
