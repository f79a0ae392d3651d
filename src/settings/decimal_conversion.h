// Turns a settings value into an integer the way the module always has: strtol
// rules in base 10, with trailing text ignored, and two errors.
#pragma once

#include <cstdint>
#include <string_view>

// Returns the leading decimal number of the text. Throws std::invalid_argument
// ("invalid stoi argument") when no digit leads, and std::out_of_range
// ("stoi argument out of range") when the number does not fit in 32 bits.
std::int32_t convertDecimal(std::string_view text);
