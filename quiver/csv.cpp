#include "quiver/csv.h"

#include "quiver/csvtext.h"
#include "quiver/filecontent.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

namespace quiver {

namespace detail {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Longest piece of a bad value quoted in an error message.
constexpr std::size_t kQuotedLength = 40;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Whether the well-formed decimal number in text (sign, digits, optional
// point and fraction, optional exponent) is smaller than 1 in magnitude:
// decides whether a number out of a float's range underflowed or overflowed.
bool isBelowOne(std::string_view text)
{
    std::size_t p = 0;
    if (p < text.size() && text[p] == '-')
        ++p;
    long order = 0; // the power of ten of the leading digit
    bool seenDigit = false;
    bool afterPoint = false;
    for (; p < text.size() && text[p] != 'e' && text[p] != 'E'; ++p) {
        if (text[p] == '.') {
            afterPoint = true;
        } else if (!seenDigit && text[p] == '0') {
            order -= afterPoint ? 1 : 0;
        } else if (!seenDigit) {
            seenDigit = true;
            order -= afterPoint ? 1 : 0;
        } else if (!afterPoint) {
            ++order;
        }
    }
    long exponent = 0;
    if (p < text.size()) {
        ++p;
        const bool negative = p < text.size() && text[p] == '-';
        if (p < text.size() && (text[p] == '-' || text[p] == '+'))
            ++p;
        // Saturate: only the sign of order + exponent matters.
        for (; p < text.size() && exponent < 1000000000L; ++p)
            exponent = exponent * 10 + (text[p] - '0');
        exponent = negative ? -exponent : exponent;
    }
    return order + exponent < 0;
}

class CsvParser {
public:
    CsvParser(std::string_view text, const std::string& path)
        : m_pos(text.data())
        , m_end(text.data() + text.size())
        , m_maxValues(text.size() / 2 + 1)
        , m_path(path)
    {
        if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            m_pos += kByteOrderMark.size();
    }

    Eigen::MatrixXf parse()
    {
        const char* firstBlankLine = nullptr;
        long firstBlankLineNumber = 0;
        for (; m_pos != m_end; nextLine()) {
            m_lineStart = m_pos;
            if (isBlankLine()) {
                if (!firstBlankLine) {
                    firstBlankLine = m_pos;
                    firstBlankLineNumber = m_line;
                }
                skipToLineEnd();
                continue;
            }
            if (firstBlankLine) {
                m_lineStart = firstBlankLine;
                m_line = firstBlankLineNumber;
                fail(firstBlankLine, "blank line inside the matrix");
            }
            readLine();
        }
        if (m_columns == 0)
            throw csv_error(m_path + ": file is empty");

        const Eigen::Index rows = Eigen::Index(m_values.size()) / m_columns;
        using RowMajor = Eigen::Matrix<float, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
        return Eigen::Map<const RowMajor>(m_values.data(), rows, m_columns);
    }

private:
    bool isLineEnd(const char* p) const
    {
        return p == m_end || *p == '\n' || (*p == '\r' && (p + 1 == m_end || p[1] == '\n'));
    }

    const char* skipBlanks(const char* p) const
    {
        while (p != m_end && isBlank(*p))
            ++p;
        return p;
    }

    bool isBlankLine() const { return isLineEnd(skipBlanks(m_pos)); }

    void skipToLineEnd()
    {
        while (!isLineEnd(m_pos))
            ++m_pos;
    }

    void nextLine()
    {
        if (m_pos != m_end && *m_pos == '\r')
            ++m_pos;
        if (m_pos != m_end)
            ++m_pos;
        ++m_line;
    }

    void readLine()
    {
        Eigen::Index count = 0;
        for (;;) {
            const char* value = skipBlanks(m_pos);
            if (isLineEnd(value) || *value == ',')
                fail(m_pos, "empty value");
            if (m_columns > 0 && count == m_columns)
                fail(value, valueCountProblem(countValuesOfLine()));
            m_values.push_back(readValue(value));
            ++count;
            m_pos = skipBlanks(m_pos);
            if (m_pos == m_end || *m_pos != ',')
                break;
            ++m_pos;
        }
        if (m_columns == 0) {
            m_columns = count;
            // Most matrices are square: one allocation for all of it, but
            // never more values than the text can hold (two bytes each), so
            // that one wide line cannot ask for gigabytes.
            m_values.reserve(std::min(std::size_t(count * count), m_maxValues));
        } else if (count < m_columns) {
            fail(m_pos, valueCountProblem(count));
        }
    }

    // Reads the number at value and leaves m_pos after it; the line must go
    // on with blanks, then a comma or the line end.
    float readValue(const char* value)
    {
        float number = 0.0f;
        const auto [end, error] = std::from_chars(value, m_end, number);
        m_pos = end;
        const char* next = skipBlanks(end);
        if (error == std::errc::invalid_argument || !(isLineEnd(next) || *next == ','))
            fail(value, "not a number: '" + quoted(value) + "'");
        if (error == std::errc::result_out_of_range) {
            if (!isBelowOne(std::string_view(value, std::size_t(end - value))))
                fail(value, "value out of range: '" + quoted(value) + "'");
            number = *value == '-' ? -0.0f : 0.0f;
        }
        return number;
    }

    // The bad value starting at value for a message: up to the next comma or
    // the line end, control characters shown as '?', long values shortened.
    std::string quoted(const char* value) const
    {
        const char* end = value;
        while (!isLineEnd(end) && *end != ',')
            ++end;
        while (end != value && isBlank(end[-1]))
            --end;
        std::string text(value, end);
        if (text.size() > kQuotedLength)
            text = text.substr(0, kQuotedLength) + "...";
        for (char& c : text) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                c = '?';
        }
        return text;
    }

    Eigen::Index countValuesOfLine() const
    {
        Eigen::Index count = 1;
        for (const char* p = m_lineStart; !isLineEnd(p); ++p)
            count += *p == ',' ? 1 : 0;
        return count;
    }

    std::string valueCountProblem(Eigen::Index count) const
    {
        return "line " + std::to_string(m_line) + " has " + std::to_string(count) + " values, expected "
            + std::to_string(m_columns);
    }

    [[noreturn]] void fail(const char* at, const std::string& problem) const
    {
        throw csv_error(m_path + ":" + std::to_string(m_line) + ":" + std::to_string(at - m_lineStart + 1) + ": "
                        + problem);
    }

    const char* m_pos;
    const char* const m_end;
    const std::size_t m_maxValues;
    const char* m_lineStart = nullptr;
    long m_line = 1;
    Eigen::Index m_columns = 0;
    std::vector<float> m_values;
    const std::string& m_path;
};

} // namespace

Eigen::MatrixXf matrixFromCsvText(std::string_view text, const std::string& path)
{
    return CsvParser(text, path).parse();
}

} // namespace detail

Eigen::MatrixXf from_csv(const std::string& path)
{
    const FileContent content = readFileContent(path);
    if (!content.problem.empty())
        throw csv_error(path + ": " + content.problem);
    return detail::matrixFromCsvText(content.text, path);
}

} // namespace quiver
