#pragma once

#include "measuretable.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// What kestrel-measures was asked to do.
struct CommandLine {
    bool help = false;
    std::optional<std::string> output; // -o FILE
    std::vector<MeasureColumn> columns;
    std::vector<std::string> inputs;
};

// Wrong usage: an unknown option or measure, a missing value or no input.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the options and file names. File names keep their bytes on POSIX,
// where a name need not be valid UTF-8; on Windows they are taken as UTF-8.
// Throws UsageError.
CommandLine parseCommandLine(int argc, const char* const argv[]);
