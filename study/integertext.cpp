#include "study/integertext.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <stdexcept>

int toInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        throw std::invalid_argument("invalid stoi argument");

    // Accumulate the magnitude in 64 bits; one more than INT_MAX is allowed
    // for the negative side.
    const std::int64_t limit = std::int64_t(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            throw std::out_of_range("stoi argument out of range");
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}
