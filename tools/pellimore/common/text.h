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

// The text's lines, without their line feeds or a carriage return before one.
std::vector<std::string> textLines(const std::string& text);

// The parts with the separator between them: "a, b, c".
std::string joinedText(const std::vector<std::string>& parts, std::string_view separator);

// A number in upper-case hexadecimal with "0x", at least `digits` digits: 0x00000000000000FF.
std::string hexText(std::uint64_t value, int digits = 1);

// The widest line the tools print: a console window 120 columns wide shows it
// whole, without wrapping a word in the middle.
constexpr std::size_t consoleWidth = 119;

// UTF-8 as code points, an invalid byte as U+FFFD; and code points as UTF-8.
std::u32string decodedUtf8(std::string_view bytes);
std::string encodedUtf8(std::u32string_view codePoints);

// How many characters (not bytes) a UTF-8 text shows as.
std::size_t shownWidth(std::string_view text);

// A path as wrapped text keeps it: its spaces become a mark that wrappedText
// never breaks at and shows as a space, so a player copying the path by hand
// finds it whole on one line. A path longer than a line stands alone on one.
std::string unbreakable(std::string_view text);

// The text broken at spaces into lines of at most `width` characters, every
// line after the first starting with `indent` spaces, the first sharing its
// line with `lead` columns the caller has printed already; a word longer than
// a line stands alone. Joined with "\n", with no final line end.
std::string wrappedText(std::string_view text, std::size_t width = consoleWidth, std::size_t indent = 0,
                        std::size_t lead = 0);
