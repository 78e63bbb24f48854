#include "quiver/measures.h"

#include "quiver/localefficiency.h"
#include "quiver/shortestpaths.h"
#include "quiver/undirectedgraph.h"

#include <Eigen/Eigenvalues>

#include <stdexcept>

namespace quiver {

using detail::cubeRootWeights;
using detail::undirectedWeights;

namespace {

// E_i = sum_{j != i} 1 / d_ij / (n - 1) from symmetric weights.
Eigen::ArrayXf nodalEfficiency(const Eigen::MatrixXf& a)
{
    const Eigen::Index n = a.rows();
    if (n < 2)
        return Eigen::ArrayXf::Zero(n);
    Eigen::MatrixXf d = detail::edgeLengths(a);
    detail::shortestPathLengths(d);
    return detail::inverseDistanceSums(d) / float(n - 1);
}

} // namespace

Eigen::ArrayXf clustering_coeff(const Eigen::MatrixXf& w)
{
    const Eigen::MatrixXf a = undirectedWeights(w, "clustering_coeff");
    const Eigen::ArrayXf k = detail::edgeCounts(a);
    const Eigen::MatrixXf b = cubeRootWeights(a);
    // sum_{j,h} b_ij b_ih b_jh = (b^3)_ii = sum_j (b^2)_ij b_ji
    const Eigen::MatrixXf b2 = b * b;
    const Eigen::ArrayXf triangles = b2.cwiseProduct(b).colwise().sum().transpose().array();
    return (k >= 2.0f).select(triangles / (k * (k - 1.0f)), 0.0f);
}

Eigen::ArrayXf local_efficiency(const Eigen::MatrixXf& w)
{
    return detail::localEfficiency(cubeRootWeights(undirectedWeights(w, "local_efficiency")));
}

float global_efficiency(const Eigen::MatrixXf& w)
{
    const Eigen::ArrayXf nodal = nodalEfficiency(undirectedWeights(w, "global_efficiency"));
    return nodal.size() < 2 ? 0.0f : float(nodal.cast<double>().mean());
}

Eigen::ArrayXf degree(const Eigen::MatrixXf& w)
{
    return detail::edgeCounts(undirectedWeights(w, "degree"));
}

Eigen::ArrayXf eigenvector_centrality(const Eigen::MatrixXf& w)
{
    const Eigen::MatrixXf a = undirectedWeights(w, "eigenvector_centrality");
    const Eigen::Index n = a.rows();
    if (n == 0 || (a.array() == 0.0f).all())
        return Eigen::ArrayXf::Zero(n);
    // The solver sorts the eigenvalues in increasing order; the largest one's
    // vector is the last column, normalised, of either sign.
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXf> solver(a, Eigen::ComputeEigenvectors);
    if (solver.info() != Eigen::Success)
        throw std::runtime_error("quiver::eigenvector_centrality: the eigenvalue solver did not converge");
    Eigen::ArrayXf centrality = solver.eigenvectors().col(n - 1).array().abs();
    return centrality / centrality.matrix().norm();
}

Eigen::ArrayXf strength(const Eigen::MatrixXf& w)
{
    return undirectedWeights(w, "strength").colwise().sum().transpose().array();
}

Eigen::ArrayXf nodal_global_efficiency(const Eigen::MatrixXf& w)
{
    return nodalEfficiency(undirectedWeights(w, "nodal_global_efficiency"));
}

} // namespace quiver
