// Small text helpers the tools share.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

// The text with ASCII letters in lower case, for comparisons that ignore case.
inline std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}
