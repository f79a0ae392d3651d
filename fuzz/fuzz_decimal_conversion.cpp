// Any bytes as a value: the conversion must agree with the C library's strtoll
// read into 32 bits, errors included.
#include "settings/decimal_conversion.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The reference stops at a NUL byte, as the conversion does (NUL is no digit).
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long reference = std::strtoll(start, &end, 10);
    enum { Value, Invalid, OutOfRange } expected = Value;
    if (end == start)
        expected = Invalid;
    else if (errno == ERANGE || reference < INT32_MIN || reference > INT32_MAX)
        expected = OutOfRange;

    const DecimalConversion converted = convertDecimal(text);
    switch (converted.error) {
        case ConversionError::None:
            if (expected != Value || converted.value != reference) __builtin_trap();
            break;
        case ConversionError::InvalidArgument:
            if (expected != Invalid) __builtin_trap();
            break;
        case ConversionError::OutOfRange:
            if (expected != OutOfRange) __builtin_trap();
            break;
    }
    return 0;
}
