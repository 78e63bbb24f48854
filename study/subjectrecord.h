#pragma once

#include "study/studymanifest.h"

#include <string>

// A subject as the main window keeps it: its manifest, and where the manifest
// lies. Every file the manifest names is relative to getDirectory().
class SubjectRecord : public StudyManifest {
public:
    // directory: absolute, "/" separators, no trailing separator.
    SubjectRecord(StudyManifest manifest, std::string directory, std::string manifestFileName);

    const std::string& getDirectory() const { return m_directory; }
    std::string getManifestPath() const { return m_directory + "/" + m_manifestFileName; }

private:
    std::string m_directory;
    std::string m_manifestFileName;
};
