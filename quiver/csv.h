#pragma once

#include <Eigen/Dense>

#include <stdexcept>
#include <string>

namespace quiver {

// A matrix file that cannot be read; the message names the file, the line and
// column where known, and the problem.
class csv_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the comma-separated matrix stored in the file at path (UTF-8).
Eigen::MatrixXf from_csv(const std::string& path);

} // namespace quiver
