#include "study/subjectrecord.h"

#include <utility>

SubjectRecord::SubjectRecord(StudyManifest manifest, std::string directory, std::string manifestFileName)
    : StudyManifest(std::move(manifest))
    , m_directory(std::move(directory))
    , m_manifestFileName(std::move(manifestFileName))
{
}
