// Small text helpers the tools share.
#pragma once

#include <string>
#include <string_view>

// The text with ASCII letters in lower case, for comparisons that ignore case.
std::string lowerCase(std::string text);

// Bytes from a file made safe to print: control characters (C0, DEL and C1,
// escape sequences among them) and bytes that are not valid UTF-8 are shown
// as \xHH; every other character, accented letters included, stands as it is.
std::string shownAsText(std::string_view bytes);
