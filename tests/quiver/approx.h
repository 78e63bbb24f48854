#pragma once

#include <Eigen/Dense>
#include <QtTest>

// QCOMPARE on floats is exact, and the measures sum in an order the tests should not fix: equal within
// tolerance * max(1, |expected|), NaN equal to NaN.
inline bool isClose(const Eigen::ArrayXXf& a, const Eigen::ArrayXXf& e, float tolerance)
{
    return a.rows() == e.rows() && a.cols() == e.cols()
           && ((a.isNaN() && e.isNaN()) || a == e || (a - e).abs() <= tolerance * e.abs().max(1.0f)).all();
}

#define COMPARE_WITHIN(a, e, tolerance) QVERIFY2(isClose(a, e, tolerance), "the arrays differ")
#define COMPARE_APPROX(a, e) COMPARE_WITHIN(a, e, 1e-5f)
