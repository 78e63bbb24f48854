#include "quiver/localefficiency.h"

#include "quiver/shortestpaths.h"
#include "quiver/undirectedgraph.h"

#include <vector>

namespace quiver::detail {

namespace {

using Index = Eigen::Index;

// E_loc,i = sum_{j != h} b_ij b_ih / delta_jh / (k_i (k_i - 1)), where
// distances holds delta for the pairs of neighbours of i and may also hold
// rows and columns of nodes that b_i does not reach (their b is 0).
float efficiencyFromDistances(const Eigen::MatrixXf& distances, const Eigen::VectorXf& coefficients, float edges)
{
    return float(pairEfficiencySum(distances, coefficients) / (double(edges) * (double(edges) - 1.0)));
}

float neighbourhoodEfficiency(const Eigen::MatrixXf& b, Index node, float edges)
{
    std::vector<Index> neighbours;
    for (Index j = 0; j < b.rows(); ++j) {
        if (b(j, node) > 0.0f)
            neighbours.push_back(j);
    }
    const Index k = Index(neighbours.size());
    Eigen::MatrixXf induced(k, k);
    Eigen::VectorXf coefficients(k);
    for (Index q = 0; q < k; ++q) {
        coefficients[q] = b(neighbours[q], node);
        for (Index p = 0; p < k; ++p)
            induced(p, q) = b(neighbours[p], neighbours[q]);
    }
    Eigen::MatrixXf distances = edgeLengths(induced);
    shortestPathLengths(distances);
    return efficiencyFromDistances(distances, coefficients, edges);
}

// Floyd-Warshall may take its intermediate nodes in any order, so the n
// distance matrices of "graph without node i" share most of their work:
// level[depth] holds the distances with every node allowed as an
// intermediate except nodes[begin, end). Each half of the range is allowed in
// a copy, the other half recursed into, down to single nodes, which is
// O(n^2 log n) relaxations instead of n^2 per node.
class EfficiencyWithoutEachNode {
public:
    EfficiencyWithoutEachNode(const Eigen::MatrixXf& b, const Eigen::ArrayXf& edges, Eigen::ArrayXf& result)
        : m_b(b)
        , m_edges(edges)
        , m_result(result)
    {
    }

    // nodes must each be joined to every node that has an edge.
    void run(const std::vector<Index>& nodes)
    {
        if (nodes.empty())
            return;
        m_nodes = nodes;
        std::vector<bool> isPending(std::size_t(m_b.rows()), false);
        for (Index node : nodes)
            isPending[std::size_t(node)] = true;

        int depth = 1;
        for (std::size_t span = 1; span < nodes.size(); span *= 2)
            ++depth;
        m_levels.assign(std::size_t(depth), Eigen::MatrixXf());
        m_levels[0] = edgeLengths(m_b);
        for (Index k = 0; k < m_b.rows(); ++k) {
            if (!isPending[std::size_t(k)])
                relaxThrough(m_levels[0], k);
        }
        recurse(0, 0, m_nodes.size());
    }

private:
    void recurse(std::size_t depth, std::size_t begin, std::size_t end)
    {
        if (end - begin == 1) {
            const Index node = m_nodes[begin];
            // The node's own row and column stay in the matrix; its
            // coefficient b(node, node) is 0, so they add nothing.
            m_result[node] = efficiencyFromDistances(m_levels[depth], m_b.col(node), m_edges[node]);
            return;
        }
        const std::size_t middle = begin + (end - begin) / 2;
        descend(depth, middle, end, begin, middle);
        descend(depth, begin, middle, middle, end);
    }

    void descend(std::size_t depth, std::size_t allowBegin, std::size_t allowEnd, std::size_t begin, std::size_t end)
    {
        Eigen::MatrixXf& next = m_levels[depth + 1];
        next = m_levels[depth];
        for (std::size_t q = allowBegin; q < allowEnd; ++q)
            relaxThrough(next, m_nodes[q]);
        recurse(depth + 1, begin, end);
    }

    const Eigen::MatrixXf& m_b;
    const Eigen::ArrayXf& m_edges;
    Eigen::ArrayXf& m_result;
    std::vector<Index> m_nodes;
    std::vector<Eigen::MatrixXf> m_levels;
};

} // namespace

Eigen::ArrayXf localEfficiencyByNeighbourhood(const Eigen::MatrixXf& b)
{
    const Eigen::ArrayXf edges = edgeCounts(b);
    Eigen::ArrayXf result = Eigen::ArrayXf::Zero(b.rows());
    for (Index i = 0; i < b.rows(); ++i) {
        if (edges[i] >= 2.0f)
            result[i] = neighbourhoodEfficiency(b, i, edges[i]);
    }
    return result;
}

Eigen::ArrayXf localEfficiency(const Eigen::MatrixXf& b)
{
    const Eigen::ArrayXf edges = edgeCounts(b);
    const float connected = float((edges > 0.0f).count());
    Eigen::ArrayXf result = Eigen::ArrayXf::Zero(b.rows());
    std::vector<Index> joinedToAll;
    for (Index i = 0; i < b.rows(); ++i) {
        if (edges[i] < 2.0f)
            continue;
        if (edges[i] == connected - 1.0f)
            joinedToAll.push_back(i);
        else
            result[i] = neighbourhoodEfficiency(b, i, edges[i]);
    }
    EfficiencyWithoutEachNode(b, edges, result).run(joinedToAll);
    return result;
}

} // namespace quiver::detail
