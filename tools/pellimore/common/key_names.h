// Names for Windows virtual-key codes, both ways, as players write them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Codes the tools and the editor page reason about; the page asks for them, so
// they are written here only.
constexpr std::int32_t firstKeypadDigitCode = 96;   // Numpad0, up to Numpad9 (105)
constexpr std::int32_t firstFunctionKeyCode = 112;  // F1, up to F24 (135)

// Whether the code is a keypad digit, which changes code while Num Lock is off.
bool isKeypadDigitCode(std::int64_t code);

// What a keypad digit's key sends with Num Lock off (Numpad8 sends Up).
std::int32_t keypadCodeWithoutNumLock(std::int32_t keypadDigitCode);

// The usual name of a key code ("X", "Up", "Numpad8"), or "" when it has none.
std::string keyName(std::int64_t code);

// How a key is shown to a player: "X (88)", or just "300" for a code with no name.
std::string keyLabel(std::int64_t code);

// A key given by name or by code: "X", "num 9", "Numpad 9", "VK_F5", "PgDn", "0x58", "88". Names are
// matched in any letter case, with or without spaces, '_' and '-'.
std::optional<std::uint32_t> parseKey(const std::string& text);

// Whether the text reads like a key's name (letters and digits, not a number),
// known or not: "Ü" or "Fn" is one, "12abc" and "=" are not.
bool looksLikeAKeyName(const std::string& text);
