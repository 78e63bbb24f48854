#pragma once

#include <Eigen/Dense>

// The two routes to the weighted local efficiency (see measures.h). Both take
// cube-root weights b = (w^)^(1/3): symmetric, zero diagonal, 0 for no edge.
namespace quiver::detail {

// Runs Floyd-Warshall inside every neighbourhood on its own: O(sum k_i^3),
// right for sparse graphs, O(n^4) on dense ones.
Eigen::ArrayXf localEfficiencyByNeighbourhood(const Eigen::MatrixXf& b);

// What quiver::local_efficiency uses: nodes joined to every other
// non-isolated node share one divide-and-conquer Floyd-Warshall in
// O(n^3 log n); every other node takes the neighbourhood route.
Eigen::ArrayXf localEfficiency(const Eigen::MatrixXf& b);

} // namespace quiver::detail
