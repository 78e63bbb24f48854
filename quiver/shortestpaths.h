#pragma once

#include <Eigen/Dense>

#include <vector>

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
// 1 / inf = 0; the diagonal of d is not read.
double pairEfficiencySum(const Eigen::MatrixXf& d, const Eigen::VectorXf& c);

// Per node j: sum_{h != j} 1 / d(h, j); the diagonal of d is not read.
Eigen::ArrayXf inverseDistanceSums(const Eigen::MatrixXf& d);

// The versions of the inner loops. The best one the processor supports is
// used unless another is chosen, which lets tests run every version on one
// machine.
enum class KernelSet { Plain, Sse, Avx };
std::vector<KernelSet> supportedKernelSets();
void useKernelSet(KernelSet set);

} // namespace quiver::detail
