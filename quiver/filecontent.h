#pragma once

#include <string>

namespace quiver {

// The bytes of a file, or why they could not be had.
struct FileContent {
    std::string text;
    // Empty when the file was read; otherwise what went wrong, for a message
    // that starts with the file's name: "cannot open file", "cannot open
    // file: it is a folder", "cannot open file (the name is not valid
    // UTF-8)" or "cannot read file".
    std::string problem;
};

// Reads the whole file at path. The name is UTF-8; on POSIX any bytes are
// taken as they are. Never throws for a file that cannot be opened or read
// (only std::bad_alloc), so every reader can turn problem into its own
// error type.
FileContent readFileContent(const std::string& path);

} // namespace quiver
