// Turns a settings value into an integer the way the module always has: strtol
// rules in base 10, with trailing text ignored, and two ways to fail. A failure
// is returned, never thrown: the conversion runs on every tick inside a game
// process whose other frames were not built by this compiler.
#pragma once

#include <cstdint>
#include <string_view>

enum class ConversionError { None, InvalidArgument, OutOfRange };

struct DecimalConversion {
    std::int32_t value = 0;  // meaningful only when error is None
    ConversionError error = ConversionError::None;
};

// Reads the leading decimal number of the text: InvalidArgument when no digit
// leads, OutOfRange when the number does not fit in 32 bits.
DecimalConversion convertDecimal(std::string_view text);

// The message each failure has always carried: "invalid stoi argument" or
// "stoi argument out of range"; empty for None.
const char* conversionErrorMessage(ConversionError error);
