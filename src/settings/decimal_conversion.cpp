#include "settings/decimal_conversion.h"

#include <stdexcept>

std::int32_t convertDecimal(std::string_view text) {
    std::size_t position = 0;
    // strtol's leading whitespace, as the C locale defines it.
    while (position < text.size() &&
           (text[position] == ' ' || (text[position] >= '\t' && text[position] <= '\r')))
        ++position;

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
    if (!sawDigit) throw std::invalid_argument("invalid stoi argument");

    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < INT32_MIN || number > INT32_MAX) throw std::out_of_range("stoi argument out of range");
    return static_cast<std::int32_t>(number);
}
