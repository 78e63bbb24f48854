// libFuzzer target for the study manifest reader, from the file's bytes to a
// StudyManifest or a StudyManifestError that names the file; anything else
// (a crash, a stack overflow, a sanitizer report, another exception) is a
// fault.
#include "study/studymanifestreader.h"
#include "study/studymanifesttext.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name = "fuzz.json";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const StudyManifest manifest = readStudyManifestText(text, name);
        try {
            // Node names are taken from the selection, which may name no VOI.
            if (manifest.selectedVoiNames().size() != manifest.getSelectedVois().size())
                std::abort();
        } catch (const std::out_of_range&) {
        }
    } catch (const StudyManifestError& e) {
        if (std::string_view(e.what()).substr(0, name.size()) != name)
            std::abort();
    }
    return 0;
}
