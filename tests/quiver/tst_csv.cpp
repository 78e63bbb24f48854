#include "approx.h"

#include "quiver/csv.h"
#include "testfolder.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(Eigen::MatrixXf)

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

Eigen::MatrixXf matrix(int rows, int columns, std::initializer_list<float> rowByRow)
{
    return Eigen::Map<const Eigen::Matrix<float, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>(
        rowByRow.begin(), rows, columns);
}

// The message of the csv_error that reading path throws.
QString csvError(const QString& path)
{
    try {
        quiver::from_csv(path.toStdString());
    } catch (const quiver::csv_error& e) {
        return QString::fromUtf8(e.what());
    } catch (const std::exception& e) {
        return QStringLiteral("not a csv_error: ") + e.what();
    }
    return "no exception";
}

} // namespace

class tst_Csv : public QObject {
    Q_OBJECT

private slots:
    void readsValidText_data();
    void readsValidText();
    void reportsBadText_data();
    void reportsBadText();
    void reportsFilesThatCannotBeOpened();
    void keepsNineDigitValuesExactly();

private:
    TestFolder m_folder;
};

void tst_Csv::readsValidText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Eigen::MatrixXf>("expected");
    QTest::newRow("rows are lines, not square") << QByteArray("1,2,3\n4,5,6\n") << matrix(2, 3, {1, 2, 3, 4, 5, 6});
    QTest::newRow("CRLF, no final line end") << QByteArray("1,2\r\n3,4") << matrix(2, 2, {1, 2, 3, 4});
    QTest::newRow("byte-order mark, spaces and tabs")
        << QByteArray("\xEF\xBB\xBF 1 ,\t2\t\r\n3,  4 \n") << matrix(2, 2, {1, 2, 3, 4});
    QTest::newRow("blank lines at the end") << QByteArray("1,2\n3,4\n\n \t\n\r\n") << matrix(2, 2, {1, 2, 3, 4});
    QTest::newRow("nan and inf") << QByteArray("nan,NaN\ninf,-inf\n") << matrix(2, 2, {kNan, kNan, kInf, -kInf});
    QTest::newRow("exponents and short forms")
        << QByteArray("-1.5e-3,2E+2\n.5,5.\n") << matrix(2, 2, {-1.5e-3f, 200, 0.5f, 5});
    QTest::newRow("too small for a float is 0") << QByteArray("1e-50,-1e-400,0.00001e-400") << matrix(1, 3, {0, -0.0f, 0});
    QTest::newRow("one value") << QByteArray("0.25") << matrix(1, 1, {0.25f});
    // Room for width x width values would be 160 GB.
    const int width = 200000;
    QByteArray wideRow = QByteArray("0,").repeated(width - 1) + "0\n";
    QTest::newRow("one very wide row") << wideRow << Eigen::MatrixXf(Eigen::MatrixXf::Zero(1, width));
}

void tst_Csv::readsValidText()
{
    QFETCH(QByteArray, content);
    QFETCH(Eigen::MatrixXf, expected);
    COMPARE_WITHIN(quiver::from_csv(m_folder.write("m.csv", content).toStdString()), expected, 0.0f);
}

void tst_Csv::reportsBadText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message"); // after the file's path
    QTest::newRow("only blank lines") << QByteArray("\n \r\n") << ": file is empty";
    QTest::newRow("word") << QByteArray("1,2\n3,abc\n") << ":2:3: not a number: 'abc'";
    QTest::newRow("number then text") << QByteArray("1, 2x ,3\n") << ":1:4: not a number: '2x'";
    QTest::newRow("space inside a value") << QByteArray("1,2 3\n") << ":1:3: not a number: '2 3'";
    QTest::newRow("leading plus") << QByteArray("+1,2\n") << ":1:1: not a number: '+1'";
    QTest::newRow("lone carriage return") << QByteArray("1,2\r3,4\n") << ":1:3: not a number: '2?3'";
    QTest::newRow("column counted after the byte-order mark") << QByteArray("\xEF\xBB\xBFx,1") << ":1:1: not a number: 'x'";
    QTest::newRow("value of 40 characters quoted whole") << QByteArray(40, 'z') << ":1:1: not a number: '" + QString(40, 'z') + "'";
    QTest::newRow("value of 41 characters shortened") << QByteArray(41, 'z') << ":1:1: not a number: '" + QString(40, 'z') + "...'";
    QTest::newRow("empty value") << QByteArray("1,,2\n1,2,3\n") << ":1:3: empty value";
    QTest::newRow("trailing comma") << QByteArray("1,2\n3,4, \n") << ":2:5: empty value";
    QTest::newRow("too few values") << QByteArray("1,2,3\n4,5\n") << ":2:4: line 2 has 2 values, expected 3";
    QTest::newRow("too many values") << QByteArray("1,2\r\n3,4,5,6\r\n") << ":2:5: line 2 has 4 values, expected 2";
    QTest::newRow("blank line inside") << QByteArray("1,2\n\n3,4\n") << ":2:1: blank line inside the matrix";
    QTest::newRow("too large for a float") << QByteArray("1,-1e39\n") << ":1:3: value out of range: '-1e39'";
}

void tst_Csv::reportsBadText()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_folder.write("bad.csv", content);
    QCOMPARE(csvError(path), path + message);
}

void tst_Csv::reportsFilesThatCannotBeOpened()
{
    const QString missing = m_folder.filePath("missing.csv");
    QCOMPARE(csvError(missing), missing + ": cannot open file");
    QCOMPARE(csvError(m_folder.path()), m_folder.path() + ": cannot open file: it is a folder");
}

void tst_Csv::keepsNineDigitValuesExactly()
{
    // A realistic 116 x 116 file, written with the 9 significant digits
    // that keep every float, under a path that is not ASCII.
    const Eigen::MatrixXf expected = Eigen::MatrixXf::Random(116, 116);
    QByteArray content;
    for (int r = 0; r < 116; ++r) {
        for (int c = 0; c < 116; ++c)
            content += QByteArray::number(double(expected(r, c)), 'g', 9) + (c < 115 ? "," : "\n");
    }
    const QString path = m_folder.write(QStringLiteral("Fächer/Matrix Σ.csv"), content);
    COMPARE_WITHIN(quiver::from_csv(path.toUtf8().toStdString()), expected, 0.0f);
}

QTEST_APPLESS_MAIN(tst_Csv)
#include "tst_csv.moc"
