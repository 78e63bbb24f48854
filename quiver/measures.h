#pragma once

#include <Eigen/Dense>

// Graph measures of a connectivity matrix.
//
// How a matrix is read as a graph (every function below):
// - The graph is weighted and undirected and comes from the upper triangle:
//   entry (i, j) with i < j is the edge i-j. The lower triangle and the
//   diagonal are ignored, so a non-symmetric matrix gives the graph of its
//   upper half (the circular plot draws the same half).
// - The weight of an edge is |w(i, j)|: negative correlations count by their
//   strength. NaN and 0 mean "no edge".
// - The matrix must be square; anything else throws std::invalid_argument.
//   An infinite entry in the upper triangle throws std::invalid_argument too,
//   because no normalisation or path length is defined for it.
// - A 0 x 0 matrix gives empty arrays and a global efficiency of 0.
// - Results are one value per node, in node order; the argument is never
//   changed.
//
// Shared definitions:
// - k_i is the degree of node i, N_i its set of neighbours.
// - w^_ij = |w_ij| / max |w| is the weight scaled by the largest weight of
//   the matrix (used by the clustering coefficient and local efficiency,
//   which therefore do not change when all weights are scaled).
// - The length of an edge is 1 / weight; d_ij is the length of the shortest
//   path, infinite between nodes of different components, with 1 / inf = 0.
namespace quiver {

// Weighted clustering coefficient (Onnela et al. 2005), one value per node:
//   C_i = sum_{j,h} (w^_ij w^_ih w^_jh)^(1/3) / (k_i (k_i - 1)),
// summed over ordered pairs of neighbours; 0 when k_i < 2. In [0, 1].
Eigen::ArrayXf clustering_coeff(const Eigen::MatrixXf& w);

// Weighted local efficiency in the modified form of Wang et al. (2017), one
// value per node:
//   E_loc,i = sum_{j != h in N_i} (w^_ij w^_ih)^(1/3) / delta_jh / (k_i (k_i - 1)),
// where delta_jh is the shortest-path length between j and h inside the
// subgraph induced by N_i (node i removed), with edge lengths
// (1 / w^)^(1/3), and 1 / inf = 0; 0 when k_i < 2. On a 0/1 matrix this is
// the binary local efficiency (the global efficiency of the neighbourhood).
// Cost: O(n^3 log n) for nodes joined to every other non-isolated node (the
// usual case for correlation matrices), O(k_i^3) for each other node.
Eigen::ArrayXf local_efficiency(const Eigen::MatrixXf& w);

// Global efficiency: the mean of nodal_global_efficiency over all nodes;
// 0 when the matrix has fewer than two nodes.
float global_efficiency(const Eigen::MatrixXf& w);

// Degree: the number of edges of each node.
Eigen::ArrayXf degree(const Eigen::MatrixXf& w);

// Eigenvector centrality: the eigenvector of the largest eigenvalue of the
// weighted adjacency matrix (|w| from the upper triangle, mirrored, zero
// diagonal), its entries made non-negative and the vector scaled to unit
// Euclidean norm. All zeros for a graph without edges. When several
// components share the largest eigenvalue, the vector may spread over any of
// them. Throws std::runtime_error should the eigenvalue solver not converge.
Eigen::ArrayXf eigenvector_centrality(const Eigen::MatrixXf& w);

// Strength: the sum of the edge weights of each node.
Eigen::ArrayXf strength(const Eigen::MatrixXf& w);

// Nodal global efficiency, one value per node:
//   E_i = sum_{j != i} 1 / d_ij / (n - 1);
// 0 for a single node. Scales with the weights: multiplying every weight by c
// multiplies E_i by c.
Eigen::ArrayXf nodal_global_efficiency(const Eigen::MatrixXf& w);

} // namespace quiver
