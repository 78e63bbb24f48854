#pragma once

#include <Eigen/Dense>
#include <QString>

#include <cmath>

// Float comparison for the graph tests: QCOMPARE on floats is exact, and the
// measures sum many float terms in an order that the tests should not fix.
namespace approx {

constexpr float kTolerance = 1e-5f;

// |actual - expected| <= tolerance * max(1, |expected|); NaN equals NaN and
// infinities equal themselves.
inline bool isClose(float actual, float expected, float tolerance)
{
    if (std::isnan(actual) || std::isnan(expected))
        return std::isnan(actual) && std::isnan(expected);
    return actual == expected || std::abs(actual - expected) <= tolerance * std::max(1.0f, std::abs(expected));
}

// Empty when the arrays agree, else where they first differ: "node i" in a
// column of per-node values, "(row, column)" in a matrix.
inline QString difference(const Eigen::ArrayXXf& actual, const Eigen::ArrayXXf& expected, float tolerance)
{
    if (actual.rows() != expected.rows() || actual.cols() != expected.cols())
        return QStringLiteral("%1 x %2, expected %3 x %4")
            .arg(actual.rows()).arg(actual.cols()).arg(expected.rows()).arg(expected.cols());
    for (Eigen::Index j = 0; j < actual.cols(); ++j) {
        for (Eigen::Index i = 0; i < actual.rows(); ++i) {
            if (isClose(actual(i, j), expected(i, j), tolerance))
                continue;
            const QString where = actual.cols() == 1 ? QStringLiteral("node %1").arg(i)
                                                     : QStringLiteral("(%1, %2)").arg(i).arg(j);
            return where + QStringLiteral(": %1, expected %2")
                               .arg(double(actual(i, j)), 0, 'g', 9)
                               .arg(double(expected(i, j)), 0, 'g', 9);
        }
    }
    return QString();
}

} // namespace approx

#define COMPARE_WITHIN(actual, expected, tolerance)                                            \
    do {                                                                                       \
        const QString difference_ = approx::difference((actual), (expected), (tolerance));    \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                              \
    } while (false)

#define COMPARE_APPROX(actual, expected) COMPARE_WITHIN(actual, expected, approx::kTolerance)
