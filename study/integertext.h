#pragma once

#include <string>

// Base-10 string-to-int conversion with the rules of std::stoi: leading white
// space and one sign are accepted and reading stops at the first character
// that is not a digit ("12abc" is 12). Throws std::invalid_argument("invalid
// stoi argument") when no digit starts the text, and std::out_of_range("stoi
// argument out of range") outside the 32-bit signed range. The texts are ours,
// so they do not depend on which standard library runs.
int toInt(const std::string& text);
