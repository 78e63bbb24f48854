#pragma once

#include <Eigen/Dense>

#include <stdexcept>
#include <string>

namespace quiver {

// A matrix file that cannot be read; the message names the file, the line and
// column where known ("path:7:12: ..."), and the problem.
class csv_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the comma-separated matrix stored in the file at path (UTF-8).
//
// Format: one matrix row per line, values separated by ",", spaces and tabs
// allowed around a value; LF or CRLF line ends; an optional UTF-8 byte-order
// mark; blank lines at the end are ignored. A value is a decimal number with
// "." as decimal point and an optional exponent, or nan / inf / -inf (any
// case). Every line must have as many values as the first.
//
// Anything else throws csv_error; there is never a partial matrix. Numbers
// too large for a float are an error; numbers too small become 0.
Eigen::MatrixXf from_csv(const std::string& path);

} // namespace quiver
