#include "matrixinput.h"

#include "quiver/csv.h"
#include "study/studymanifestreader.h"
#include "study/subjectmatrices.h"

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

std::vector<LabelledMatrix> readManifest(const std::string& path)
{
    const std::filesystem::path file = std::filesystem::absolute(std::filesystem::u8path(path));
    const SubjectRecord subject(readStudyManifest(path), file.parent_path().generic_u8string(),
                                file.filename().u8string());
    SubjectMatrices loaded = readSubjectMatrices(subject);

    const std::vector<OrderedCondition>& conditions = subject.getOrderedConditions();
    const std::vector<std::string>& files = subject.getFinalMatrixFiles();
    std::vector<LabelledMatrix> matrices;
    for (std::size_t k = 0; k < files.size(); ++k) {
        LabelledMatrix m;
        m.path = loaded.paths[k];
        m.subject = subject.getUniqueId();
        // Entry k of the protocol describes matrix k.
        m.name = subject.usesProto() && k < conditions.size() ? conditions[k].name : files[k];
        m.nodeNames = loaded.nodeNames;
        m.matrix = std::move(loaded.matrices[k]);
        matrices.push_back(std::move(m));
    }
    return matrices;
}

LabelledMatrix readCsv(const std::string& path)
{
    LabelledMatrix m;
    m.path = path;
    m.name = std::filesystem::u8path(path).filename().u8string();
    m.matrix = quiver::from_csv(path);
    if (m.matrix.rows() != m.matrix.cols())
        throw std::runtime_error(path + ": the matrix is " + std::to_string(m.matrix.rows()) + " x "
                                 + std::to_string(m.matrix.cols()) + ", not square");
    for (Eigen::Index node = 0; node < m.matrix.rows(); ++node)
        m.nodeNames.push_back(std::to_string(node));
    return m;
}

} // namespace

std::vector<LabelledMatrix> readMatrixInput(const std::string& path)
{
    if (isManifestName(path))
        return readManifest(path);
    return {readCsv(path)};
}
