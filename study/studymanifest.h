#pragma once

#include <string>
#include <vector>

// One entry of a study's protocol. Type 1 is a condition with a matrix of its
// own; type 2 is a trigger, an event shown by name only. Entry k of the
// ordered conditions describes matrix k of the final matrix files.
struct OrderedCondition {
    int t = 0;
    std::string name;
    int type = 1;
};

// A subject's study manifest as the connectivity-analysis plug-in wrote it.
// Strings hold the file's UTF-8 text; file names are relative to the
// manifest's folder.
class StudyManifest {
public:
    const std::string& getManifestVersion() const { return m_manifestVersion; }
    const std::string& getUniqueId() const { return m_uniqueId; }
    const std::string& getDate() const { return m_date; }
    const std::string& getVersionWeft() const { return m_versionWeft; }
    const std::string& getVersionQuiver() const { return m_versionQuiver; }
    const std::string& getVersionLodestar() const { return m_versionLodestar; }
    const std::string& getAnaFile() const { return m_anaFile; }
    const std::string& getFtcFile() const { return m_ftcFile; }
    const std::string& getVoiFile() const { return m_voiFile; }
    const std::string& getStpFile() const { return m_stpFile; }
    const std::vector<std::string>& getVoiNames() const { return m_voiNames; }
    const std::vector<int>& getVoiSizes() const { return m_voiSizes; }
    const std::vector<std::string>& getStpConditions() const { return m_stpConditions; }
    const std::string& getMethod() const { return m_method; }
    const std::vector<int>& getSelectedVois() const { return m_selectedVois; }
    bool usesProto() const { return m_usesProto; }
    const std::vector<OrderedCondition>& getOrderedConditions() const { return m_orderedConditions; }
    const std::vector<std::string>& getSelectedConditions() const { return m_selectedConditions; }
    const std::string& getTreatmentValues() const { return m_treatmentValues; }
    const std::vector<std::string>& getTimeseriesFiles() const { return m_timeseriesFiles; }
    const std::vector<std::string>& getConnectivityFiles() const { return m_connectivityFiles; }
    const std::vector<std::string>& getTreatmentValueFiles() const { return m_treatmentValueFiles; }
    const std::vector<std::string>& getTreatmentMatrixFiles() const { return m_treatmentMatrixFiles; }
    const std::vector<std::string>& getFinalMatrixFiles() const { return m_finalMatrixFiles; }
    const std::string& getComments() const { return m_comments; }

    // The names of the selected VOIs in node order. Throws std::out_of_range
    // when an index does not name a VOI.
    std::vector<std::string> selectedVoiNames() const;

private:
    friend class StudyManifestReader;

    std::string m_manifestVersion;
    std::string m_uniqueId;
    std::string m_date;
    std::string m_versionWeft;
    std::string m_versionQuiver;
    std::string m_versionLodestar;
    std::string m_anaFile;
    std::string m_ftcFile;
    std::string m_voiFile;
    std::string m_stpFile;
    std::vector<std::string> m_voiNames;
    std::vector<int> m_voiSizes;
    std::vector<std::string> m_stpConditions;
    std::string m_method;
    std::vector<int> m_selectedVois;
    bool m_usesProto = false;
    std::vector<OrderedCondition> m_orderedConditions;
    std::vector<std::string> m_selectedConditions;
    std::string m_treatmentValues;
    std::vector<std::string> m_timeseriesFiles;
    std::vector<std::string> m_connectivityFiles;
    std::vector<std::string> m_treatmentValueFiles;
    std::vector<std::string> m_treatmentMatrixFiles;
    std::vector<std::string> m_finalMatrixFiles;
    std::string m_comments;
};
