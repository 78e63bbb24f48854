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
inline bool isClose(float actual, float expected, float tolerance = kTolerance)
{
    if (actual == expected)
        return true;
    if (std::isnan(actual) || std::isnan(expected))
        return std::isnan(actual) && std::isnan(expected);
    return std::abs(actual - expected) <= tolerance * std::max(1.0f, std::abs(expected));
}

// Empty when the arrays agree, else a description of the first difference.
inline QString difference(const Eigen::ArrayXf& actual, const Eigen::ArrayXf& expected,
                          float tolerance = kTolerance)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2").arg(actual.size()).arg(expected.size());
    for (Eigen::Index i = 0; i < actual.size(); ++i) {
        if (!isClose(actual[i], expected[i], tolerance))
            return QStringLiteral("node %1: %2, expected %3")
                .arg(i)
                .arg(double(actual[i]), 0, 'g', 9)
                .arg(double(expected[i]), 0, 'g', 9);
    }
    return QString();
}

} // namespace approx

#define COMPARE_APPROX(actual, expected)                                                       \
    do {                                                                                       \
        const QString difference_ = approx::difference((actual), (expected));                 \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                              \
    } while (false)
