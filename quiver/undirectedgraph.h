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

// The weights divided by the largest one, so that the largest becomes 1.
// Unchanged when there are no edges.
Eigen::MatrixXf normalisedWeights(const Eigen::MatrixXf& weights);

} // namespace quiver::detail
