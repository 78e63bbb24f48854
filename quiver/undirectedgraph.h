#pragma once

#include <Eigen/Dense>

namespace quiver::detail {

// The symmetric weight matrix of the graph that a connectivity matrix stands
// for: A(i, j) = A(j, i) = |w(min(i, j), max(i, j))|, 0 where that entry is
// NaN, and a zero diagonal. Throws std::invalid_argument, naming `measure`,
// when w is not square or an upper-triangle entry is infinite.
Eigen::MatrixXf undirectedWeights(const Eigen::MatrixXf& w, const char* measure);

// Number of edges of each node of a symmetric weight matrix.
Eigen::ArrayXf edgeCounts(const Eigen::MatrixXf& weights);

// Cube roots of the weights scaled to a largest weight of 1,
// (w / max w)^(1/3); zeros stay zeros. Computed as cbrt(w) / cbrt(max w), so
// that a weight far below the largest does not underflow to "no edge".
Eigen::MatrixXf cubeRootWeights(const Eigen::MatrixXf& weights);

} // namespace quiver::detail
