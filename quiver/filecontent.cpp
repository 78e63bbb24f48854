#include "quiver/filecontent.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quiver {

FileContent readFileContent(const std::string& path)
{
    FileContent content;
    std::filesystem::path file;
    try {
        // Converts to UTF-16 on Windows, where bad UTF-8 throws.
        file = std::filesystem::u8path(path);
    } catch (const std::exception&) {
        content.problem = "cannot open file (the name is not valid UTF-8)";
        return content;
    }
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        content.problem = "cannot open file: it is a folder";
        return content;
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        content.problem = "cannot open file";
        return content;
    }

    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error)
        content.text.reserve(std::size_t(size));
    char chunk[1 << 16];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0)
        content.text.append(chunk, std::size_t(stream.gcount()));
    if (stream.bad()) {
        content.text.clear();
        content.problem = "cannot read file";
    }
    return content;
}

} // namespace quiver
