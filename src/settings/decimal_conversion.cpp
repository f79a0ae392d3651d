#include "settings/decimal_conversion.h"

#include "settings/whitespace.h"

DecimalConversion convertDecimal(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && isSettingsWhitespace(text[position])) ++position;

    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }

    // Saturate just past the 32-bit range so any number of digits is safe.
    constexpr std::int64_t limit = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    bool sawDigit = false;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        sawDigit = true;
        if (magnitude < limit) magnitude = magnitude * 10 + (text[position] - '0');
    }
    if (!sawDigit) return {0, ConversionError::InvalidArgument};

    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < INT32_MIN || number > INT32_MAX) return {0, ConversionError::OutOfRange};
    return {static_cast<std::int32_t>(number), ConversionError::None};
}

const char* conversionErrorMessage(ConversionError error) {
    switch (error) {
        case ConversionError::InvalidArgument: return "invalid stoi argument";
        case ConversionError::OutOfRange: return "stoi argument out of range";
        case ConversionError::None: break;
    }
    return "";
}
