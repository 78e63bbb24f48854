#pragma once

#include "study/studymanifest.h"

#include <stdexcept>
#include <string>

// A manifest that could not be read. The message starts with the file's path
// and says what is wrong, naming the key where one is to blame.
class StudyManifestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the study manifest at path (UTF-8). Every key must be present; keys
// are read in a fixed order, so the first missing one is the one reported.
// Throws StudyManifestError.
StudyManifest readStudyManifest(const std::string& path);
