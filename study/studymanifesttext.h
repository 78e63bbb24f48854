#pragma once

#include "study/studymanifest.h"

#include <string>
#include <string_view>

// The manifest in text, read by the rules of readStudyManifest; errors name
// path as the file. Throws StudyManifestError.
StudyManifest readStudyManifestText(std::string_view text, const std::string& path);
