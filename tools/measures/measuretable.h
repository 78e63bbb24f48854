#pragma once

#include <Eigen/Dense>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// One measure of the table: its id (the column name) and how to compute it.
// A scalar measure yields one value per matrix, repeated on every node row.
struct MeasureColumn {
    std::string id;
    std::function<Eigen::ArrayXf(const Eigen::MatrixXf&)> compute;
};

// Every measure of quiver, in the table's default column order.
const std::vector<MeasureColumn>& allMeasureColumns();

// The measure with this id, if there is one.
std::optional<MeasureColumn> findMeasureColumn(const std::string& id);

// A matrix with the labels of its rows in the table.
struct LabelledMatrix {
    std::string path; // the file the matrix was read from
    std::string subject;
    std::string name;
    std::vector<std::string> nodeNames; // one per node
    Eigen::MatrixXf matrix;
};

// The header line: subject,matrix,node and one column per measure.
std::string tableHeader(const std::vector<MeasureColumn>& columns);

// One line per node of m, fields quoted where CSV needs it, values with the
// 9 significant digits that keep every float exact. Throws
// std::runtime_error naming m.path when a measure refuses the matrix.
std::string tableRows(const LabelledMatrix& m, const std::vector<MeasureColumn>& columns);
