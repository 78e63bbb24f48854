#pragma once

#include <Eigen/Dense>

// Dense shortest paths on symmetric length matrices, with the inner loops
// written as vectorised min-plus updates of whole columns.
namespace quiver::detail {

// Edge lengths from symmetric weights: 1 / weight for an edge, infinity
// where there is none (weight 0), 0 on the diagonal.
Eigen::MatrixXf edgeLengths(const Eigen::MatrixXf& weights);

// One Floyd-Warshall step on a symmetric distance matrix: allows node k as
// an intermediate, d(i, j) = min(d(i, j), d(i, k) + d(k, j)). Keeps d
// symmetric, so it works on columns only.
void relaxThrough(Eigen::MatrixXf& d, Eigen::Index k);

// Turns symmetric edge lengths into all-pairs shortest-path lengths.
void shortestPathLengths(Eigen::MatrixXf& d);

// sum_{j != h} c_j c_h / d(j, h) over a symmetric distance matrix, with
// 1 / inf = 0. Overwrites the diagonal of d with infinity.
double pairEfficiencySum(Eigen::MatrixXf& d, const Eigen::VectorXf& c);

// Per node j: sum_{h != j} 1 / d(h, j). Overwrites the diagonal of d with
// infinity.
Eigen::ArrayXf inverseDistanceSums(Eigen::MatrixXf& d);

} // namespace quiver::detail
