#include "settings/decimal_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::int32_t valueOf(const char* text) {
    const DecimalConversion converted = convertDecimal(text);
    EXPECT_EQ(converted.error, ConversionError::None) << text;
    return converted.value;
}

TEST(DecimalConversion, LeadingNumberWithStrtolRules) {
    EXPECT_EQ(valueOf("65"), 65);
    EXPECT_EQ(valueOf("+65"), 65);
    EXPECT_EQ(valueOf("-1"), -1);
    EXPECT_EQ(valueOf("300"), 300);
    EXPECT_EQ(valueOf("12abc"), 12);
    EXPECT_EQ(valueOf("88 ; X key"), 88);
    EXPECT_EQ(valueOf("0x41"), 0);
    EXPECT_EQ(valueOf(" \t\v\f\r\n7"), 7);
    EXPECT_EQ(valueOf("0000000000000000000042"), 42);
    EXPECT_EQ(valueOf("2147483647"), 2147483647);
    EXPECT_EQ(valueOf("-2147483648"), -2147483647 - 1);
}

TEST(DecimalConversion, NoLeadingDigitIsInvalid) {
    for (const char* text : {"", "abc", "-", "+", " ", "- 1", "++1",
                             "\xA0"
                             "1",
                             "x12"})
        EXPECT_EQ(convertDecimal(text).error, ConversionError::InvalidArgument) << text;
    EXPECT_STREQ(conversionErrorMessage(ConversionError::InvalidArgument), "invalid stoi argument");
}

TEST(DecimalConversion, BeyondThirtyTwoBitsIsOutOfRange) {
    // 2^64 + 81 would wrap to 81 (Q) in a 64-bit accumulator that does not saturate.
    for (const char* text : {"2147483648", "-2147483649", "4294967296", "99999999999999999999999999999",
                             "18446744073709551697", "-18446744073709551697"})
        EXPECT_EQ(convertDecimal(text).error, ConversionError::OutOfRange) << text;
    EXPECT_STREQ(conversionErrorMessage(ConversionError::OutOfRange), "stoi argument out of range");
}

}  // namespace
