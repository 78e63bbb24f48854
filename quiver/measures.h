#pragma once

#include <Eigen/Dense>

namespace quiver {

Eigen::ArrayXf clustering_coeff(const Eigen::MatrixXf& w);
Eigen::ArrayXf local_efficiency(const Eigen::MatrixXf& w);
float global_efficiency(const Eigen::MatrixXf& w);
Eigen::ArrayXf degree(const Eigen::MatrixXf& w);
Eigen::ArrayXf eigenvector_centrality(const Eigen::MatrixXf& w);
Eigen::ArrayXf strength(const Eigen::MatrixXf& w);
Eigen::ArrayXf nodal_global_efficiency(const Eigen::MatrixXf& w);

} // namespace quiver
