#pragma once

#include <Eigen/Dense>
#include <QtTest>

#include <sstream>

// Empty when the arrays agree within tolerance * max(1, |expected|), NaN equal to NaN, else both arrays:
// QCOMPARE on floats is exact, and the measures sum in an order the tests should not fix.
inline QByteArray difference(const Eigen::ArrayXXf& a, const Eigen::ArrayXXf& e, float tolerance)
{
    std::ostringstream s;
    if (a.rows() != e.rows() || a.cols() != e.cols()
        || !((a.isNaN() && e.isNaN()) || a == e || (a - e).abs() <= tolerance * e.abs().max(1.0f)).all())
        s << "actual\n" << a.transpose() << "\nexpected\n" << e.transpose();
    return QByteArray::fromStdString(s.str());
}

#define COMPARE_WITHIN(a, e, tolerance) QVERIFY2(difference(a, e, tolerance).isEmpty(), difference(a, e, tolerance).constData())
#define COMPARE_APPROX(a, e) COMPARE_WITHIN(a, e, 1e-5f)
