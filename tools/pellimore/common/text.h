// Small text helpers the tools share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The text with ASCII letters in lower case, for comparisons that ignore case.
std::string lowerCase(std::string text);

// Bytes from a file made safe to print: control characters (C0, DEL and C1,
// escape sequences among them) and bytes that are not valid UTF-8 are shown
// as \xHH; every other character, accented letters included, stands as it is.
std::string shownAsText(std::string_view bytes);

// The parts with the separator between them: "a, b, c".
std::string joinedText(const std::vector<std::string>& parts, std::string_view separator);

// A number in upper-case hexadecimal with "0x", at least `digits` digits: 0x00000000000000FF.
std::string hexText(std::uint64_t value, int digits = 1);
