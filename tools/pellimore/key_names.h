// Names for Windows virtual-key codes, both ways, as players write them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The usual name of a key code ("X", "Up", "Numpad8"), or "" when it has none.
std::string keyName(std::int64_t code);

// How a key is shown to a player: "X (88)", or just "300" for a code with no name.
std::string keyLabel(std::int64_t code);

// A key given by name (any letter case) or by code ("0x58", "88").
std::optional<std::uint32_t> parseKey(const std::string& text);
