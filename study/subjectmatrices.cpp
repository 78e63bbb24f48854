#include "study/subjectmatrices.h"

#include "quiver/csv.h"

#include <stdexcept>

namespace {

std::string shapeOf(const Eigen::MatrixXf& m)
{
    return std::to_string(m.rows()) + " x " + std::to_string(m.cols());
}

void checkShape(const Eigen::MatrixXf& m, const std::string& path, std::size_t nodes)
{
    if (m.rows() != m.cols())
        throw std::runtime_error(path + ": the matrix is " + shapeOf(m) + ", not square");
    if (static_cast<std::size_t>(m.rows()) != nodes)
        throw std::runtime_error(path + ": the matrix is " + shapeOf(m) + ", but the subject has "
                                 + std::to_string(nodes) + " nodes (configuration.selected_vois)");
}

} // namespace

SubjectMatrices readSubjectMatrices(const SubjectRecord& subject,
                                    const std::function<void(const Eigen::MatrixXf&)>& matrixRead)
{
    SubjectMatrices loaded;
    for (const std::string& file : subject.getFinalMatrixFiles()) {
        loaded.paths.push_back(subject.getDirectory() + "/" + file);
        loaded.matrices.push_back(quiver::from_csv(loaded.paths.back()));
        if (matrixRead)
            matrixRead(loaded.matrices.back());
    }
    try {
        loaded.nodeNames = subject.selectedVoiNames();
    } catch (const std::out_of_range& e) {
        throw std::runtime_error(subject.getManifestPath() + ": " + e.what());
    }
    for (std::size_t k = 0; k < loaded.paths.size(); ++k)
        checkShape(loaded.matrices[k], loaded.paths[k], loaded.nodeNames.size());
    return loaded;
}
