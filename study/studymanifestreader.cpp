#include "study/studymanifestreader.h"

#include "quiver/filecontent.h"
#include "study/integertext.h"
#include "study/studymanifesttext.h"

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <sstream>
#include <string_view>

namespace pt = boost::property_tree;

// Turns the JSON tree into a StudyManifest. Every JSON key string of the
// manifest format lives in this class.
class StudyManifestReader {
public:
    explicit StudyManifestReader(const pt::ptree& root) : m_root(root) {}

    StudyManifest read() const
    {
        StudyManifest m;
        m.m_manifestVersion = scalar("manifest-version");
        m.m_uniqueId = scalar("unique_id");
        m.m_date = scalar("date");
        m.m_versionWeft = scalar("versions.Weft");
        m.m_versionQuiver = scalar("versions.quiver");
        m.m_versionLodestar = scalar("versions.Lodestar");
        m.m_anaFile = scalar("study_data.ANA");
        m.m_ftcFile = scalar("study_data.FTC");
        m.m_voiFile = scalar("study_data.VOI");
        m.m_stpFile = scalar("study_data.STP");
        m.m_voiNames = strings("study_data.VOIs_names");
        m.m_voiSizes = integers("study_data.VOIs_sizes");
        m.m_stpConditions = strings("study_data.STP_Conditions");
        m.m_method = scalar("configuration.method");
        m.m_selectedVois = integers("configuration.selected_vois");
        m.m_usesProto = boolean("configuration.uses_proto");
        m.m_orderedConditions = conditions("configuration.ordered_conditions");
        m.m_selectedConditions = strings("configuration.selected_conditions");
        m.m_treatmentValues = scalar("configuration.treatment_values");
        m.m_timeseriesFiles = strings("result_data.timeseries");
        m.m_connectivityFiles = strings("result_data.connectivity_mtx");
        m.m_treatmentValueFiles = strings("result_data.treatment_values");
        m.m_treatmentMatrixFiles = strings("result_data.treatment_mtx");
        m.m_finalMatrixFiles = strings("result_data.final_mtx");
        m.m_comments = scalar("comments");
        return m;
    }

private:
    // Throws ptree_bad_path ("No such node (key)") for a missing key.
    const pt::ptree& node(const std::string& key) const { return m_root.get_child(key); }

    // Numbers are kept as their text; an object or array reads as "".
    std::string scalar(const std::string& key) const { return node(key).data(); }

    // A scalar reads as an empty list; an object gives its members' values.
    std::vector<std::string> strings(const std::string& key) const
    {
        std::vector<std::string> values;
        for (const auto& element : node(key))
            values.push_back(element.second.data());
        return values;
    }

    std::vector<int> integers(const std::string& key) const
    {
        std::vector<int> values;
        for (const auto& element : node(key))
            values.push_back(integer(element.second, key + "[" + std::to_string(values.size()) + "]"));
        return values;
    }

    static int integer(const pt::ptree& value, const std::string& key)
    {
        try {
            return toInt(value.data());
        } catch (const std::exception& e) {
            throw std::runtime_error(key + ": " + e.what() + " (\"" + value.data() + "\")");
        }
    }

    // JSON true and false arrive as the texts "true" and "false"; the
    // library's conversion also takes 1 and 0 and refuses everything else.
    bool boolean(const std::string& key) const
    {
        const pt::ptree& value = node(key);
        try {
            return value.get_value<bool>();
        } catch (const pt::ptree_bad_data& e) {
            throw std::runtime_error(key + ": " + e.what() + " (\"" + value.data()
                                     + "\" is not true, false, 1 or 0)");
        }
    }

    std::vector<OrderedCondition> conditions(const std::string& key) const
    {
        std::vector<OrderedCondition> values;
        for (const auto& element : node(key)) {
            const std::string elementKey = key + "[" + std::to_string(values.size()) + "]";
            try {
                const pt::ptree& object = element.second;
                OrderedCondition condition;
                condition.t = integer(object.get_child("t"), elementKey + ".t");
                condition.name = object.get_child("name").data();
                condition.type = integer(object.get_child("type"), elementKey + ".type") == 1 ? 1 : 2;
                values.push_back(std::move(condition));
            } catch (const pt::ptree_bad_path& e) {
                throw std::runtime_error(elementKey + ": " + e.what());
            }
        }
        return values;
    }

    const pt::ptree& m_root;
};

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

// The JSON parser recurses once per level of nesting, and the host's GUI
// thread may have as little as 1 MB of stack: a 200 KB file of brackets
// would overflow it. Manifests nest 4 levels.
constexpr int kMaxNesting = 64;

// Refuses text that nests objects and arrays deeper than kMaxNesting, naming
// the line of the first bracket too many. Brackets inside strings do not
// count.
void checkNesting(std::string_view text, const std::string& path)
{
    int depth = 0;
    long line = 1;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxNesting)
                throw StudyManifestError(path + "(" + std::to_string(line) + "): objects and arrays nested deeper than "
                                         + std::to_string(kMaxNesting) + " levels");
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
}

pt::ptree parseJson(std::string_view text, const std::string& path)
{
    if (text.substr(0, sizeof kByteOrderMark - 1) == kByteOrderMark)
        text.remove_prefix(sizeof kByteOrderMark - 1);
    checkNesting(text, path);

    std::istringstream stream{std::string(text)};
    pt::ptree root;
    try {
        pt::read_json(stream, root);
    } catch (const pt::json_parser_error& e) {
        throw StudyManifestError(path + "(" + std::to_string(e.line()) + "): " + e.message());
    }
    return root;
}

} // namespace

StudyManifest readStudyManifest(const std::string& path)
{
    const quiver::FileContent content = quiver::readFileContent(path);
    if (!content.problem.empty())
        throw StudyManifestError(path + ": " + content.problem);
    return readStudyManifestText(content.text, path);
}

StudyManifest readStudyManifestText(std::string_view text, const std::string& path)
{
    const pt::ptree root = parseJson(text, path);
    try {
        return StudyManifestReader(root).read();
    } catch (const std::exception& e) {
        throw StudyManifestError(path + ": " + e.what());
    }
}
