#include "measuretable.h"

#include "quiver/measures.h"

#include <charconv>
#include <stdexcept>

namespace {

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos && (text.empty() || (text.front() != ' ' && text.back() != ' ')))
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Shortest text of at most 9 significant digits, independent of the locale.
std::string number(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 9);
    return std::string(text, result.ptr);
}

} // namespace

const std::vector<MeasureColumn>& allMeasureColumns()
{
    static const std::vector<MeasureColumn> columns = {
        {"clustering_coeff", quiver::clustering_coeff},
        {"local_efficiency", quiver::local_efficiency},
        {"global_efficiency",
         [](const Eigen::MatrixXf& w) { return Eigen::ArrayXf::Constant(1, quiver::global_efficiency(w)); }},
        {"degree", quiver::degree},
        {"eigenvector_centrality", quiver::eigenvector_centrality},
        {"strength", quiver::strength},
        {"nodal_global_efficiency", quiver::nodal_global_efficiency},
    };
    return columns;
}

std::optional<MeasureColumn> findMeasureColumn(const std::string& id)
{
    for (const MeasureColumn& column : allMeasureColumns()) {
        if (column.id == id)
            return column;
    }
    return std::nullopt;
}

std::string tableHeader(const std::vector<MeasureColumn>& columns)
{
    std::string header = "subject,matrix,node";
    for (const MeasureColumn& column : columns)
        header += "," + column.id;
    return header + "\n";
}

std::string tableRows(const LabelledMatrix& m, const std::vector<MeasureColumn>& columns)
{
    std::vector<Eigen::ArrayXf> results;
    try {
        for (const MeasureColumn& column : columns)
            results.push_back(column.compute(m.matrix));
    } catch (const std::invalid_argument& e) {
        throw std::runtime_error(m.path + ": " + e.what());
    }

    const std::string labels = csvField(m.subject) + "," + csvField(m.name) + ",";
    std::string rows;
    for (std::size_t node = 0; node < m.nodeNames.size(); ++node) {
        rows += labels + csvField(m.nodeNames[node]);
        for (const Eigen::ArrayXf& values : results) {
            // A scalar measure has one value for all rows.
            const Eigen::Index i = values.size() == 1 ? 0 : Eigen::Index(node);
            rows += "," + number(values[i]);
        }
        rows += "\n";
    }
    return rows;
}
