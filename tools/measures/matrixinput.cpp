#include "matrixinput.h"

#include "quiver/csv.h"
#include "study/studymanifestreader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

namespace {

bool isManifestName(const std::string& path)
{
    std::string extension = std::filesystem::u8path(path).extension().u8string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".json";
}

void checkShape(const Eigen::MatrixXf& m, const std::string& path, std::size_t nodes)
{
    const std::string shape = std::to_string(m.rows()) + " x " + std::to_string(m.cols());
    if (m.rows() != m.cols())
        throw std::runtime_error(path + ": the matrix is " + shape + ", not square");
    if (std::size_t(m.rows()) != nodes)
        throw std::runtime_error(path + ": the matrix is " + shape + ", but the subject has " + std::to_string(nodes)
                                 + " nodes (configuration.selected_vois)");
}

std::vector<LabelledMatrix> readManifest(const std::string& path)
{
    const StudyManifest manifest = readStudyManifest(path);
    std::vector<std::string> nodeNames;
    try {
        nodeNames = manifest.selectedVoiNames();
    } catch (const std::out_of_range& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    // Matrix files are relative to the manifest's folder.
    const std::string directory =
        std::filesystem::absolute(std::filesystem::u8path(path)).parent_path().generic_u8string();
    const std::vector<OrderedCondition> conditions = manifest.getOrderedConditions();
    const std::vector<std::string>& files = manifest.getFinalMatrixFiles();

    std::vector<LabelledMatrix> matrices;
    for (std::size_t k = 0; k < files.size(); ++k) {
        const std::string matrixPath = directory + "/" + files[k];
        LabelledMatrix m;
        m.subject = manifest.getUniqueId();
        // Entry k of the protocol describes matrix k.
        m.name = manifest.usesProto() && k < conditions.size() ? conditions[k].name : files[k];
        m.nodeNames = nodeNames;
        m.matrix = quiver::from_csv(matrixPath);
        checkShape(m.matrix, matrixPath, nodeNames.size());
        matrices.push_back(std::move(m));
    }
    return matrices;
}

LabelledMatrix readCsv(const std::string& path)
{
    LabelledMatrix m;
    m.name = std::filesystem::u8path(path).filename().u8string();
    m.matrix = quiver::from_csv(path);
    for (Eigen::Index node = 0; node < m.matrix.rows(); ++node)
        m.nodeNames.push_back(std::to_string(node));
    checkShape(m.matrix, path, m.nodeNames.size());
    return m;
}

} // namespace

std::vector<LabelledMatrix> readMatrixInput(const std::string& path)
{
    if (isManifestName(path))
        return readManifest(path);
    return {readCsv(path)};
}
