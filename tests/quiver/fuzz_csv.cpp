// libFuzzer target for the CSV matrix reader: any input must give either a
// non-empty matrix or a csv_error that names the file; anything else (a
// crash, a sanitizer report, another exception) is a fault.
#include "quiver/csv.h"
#include "quiver/csvtext.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name = "fuzz.csv";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const Eigen::MatrixXf m = quiver::detail::matrixFromCsvText(text, name);
        // Every value takes at least one byte.
        if (m.size() == 0 || m.size() > Eigen::Index(size))
            std::abort();
    } catch (const quiver::csv_error& e) {
        if (std::string_view(e.what()).substr(0, name.size() + 1) != name + ":")
            std::abort();
    }
    return 0;
}
