#include "quiver/undirectedgraph.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace quiver::detail {

Eigen::MatrixXf undirectedWeights(const Eigen::MatrixXf& w, const char* measure)
{
    if (w.rows() != w.cols())
        throw std::invalid_argument(std::string("quiver::") + measure + ": the matrix is "
                                    + std::to_string(w.rows()) + " x " + std::to_string(w.cols())
                                    + "; a connectivity matrix must be square");
    const Eigen::Index n = w.rows();
    Eigen::MatrixXf a = Eigen::MatrixXf::Zero(n, n);
    for (Eigen::Index j = 0; j < n; ++j) {
        for (Eigen::Index i = 0; i < j; ++i) {
            const float value = w(i, j);
            if (std::isinf(value))
                throw std::invalid_argument(std::string("quiver::") + measure + ": entry (" + std::to_string(i)
                                            + ", " + std::to_string(j)
                                            + ") is infinite; edge weights must be finite or NaN (no edge)");
            if (!std::isnan(value))
                a(i, j) = std::abs(value);
        }
    }
    a.triangularView<Eigen::StrictlyLower>() = a.transpose();
    return a;
}

Eigen::ArrayXf edgeCounts(const Eigen::MatrixXf& weights)
{
    return (weights.array() > 0.0f).colwise().count().transpose().cast<float>();
}

Eigen::MatrixXf cubeRootWeights(const Eigen::MatrixXf& weights)
{
    const float largest = weights.size() > 0 ? weights.maxCoeff() : 0.0f;
    if (largest <= 0.0f)
        return weights;
    const float scale = 1.0f / std::cbrt(largest);
    return weights.unaryExpr([scale](float w) { return std::cbrt(w) * scale; });
}

} // namespace quiver::detail
