#include "study/studymanifest.h"

#include <stdexcept>

std::vector<std::string> StudyManifest::selectedVoiNames() const
{
    std::vector<std::string> names;
    names.reserve(m_selectedVois.size());
    for (int index : m_selectedVois) {
        if (index < 0 || static_cast<std::size_t>(index) >= m_voiNames.size())
            throw std::out_of_range("configuration.selected_vois: index " + std::to_string(index)
                                    + " does not name one of the " + std::to_string(m_voiNames.size())
                                    + " VOIs");
        names.push_back(m_voiNames[static_cast<std::size_t>(index)]);
    }
    return names;
}
