#pragma once

#include <Eigen/Dense>

#include <string>
#include <string_view>

namespace quiver::detail {

// The matrix in text, read by the rules of quiver::from_csv; errors name
// path as the file. Throws quiver::csv_error.
Eigen::MatrixXf matrixFromCsvText(std::string_view text, const std::string& path);

} // namespace quiver::detail
