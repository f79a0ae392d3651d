#include "settings/decimal_conversion.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(DecimalConversion, LeadingNumberWithStrtolRules) {
    EXPECT_EQ(convertDecimal("65"), 65);
    EXPECT_EQ(convertDecimal("+65"), 65);
    EXPECT_EQ(convertDecimal("-1"), -1);
    EXPECT_EQ(convertDecimal("300"), 300);
    EXPECT_EQ(convertDecimal("12abc"), 12);
    EXPECT_EQ(convertDecimal("88 ; X key"), 88);
    EXPECT_EQ(convertDecimal("0x41"), 0);
    EXPECT_EQ(convertDecimal(" \t\v\f\r\n7"), 7);
    EXPECT_EQ(convertDecimal("0000000000000000000042"), 42);
    EXPECT_EQ(convertDecimal("2147483647"), 2147483647);
    EXPECT_EQ(convertDecimal("-2147483648"), -2147483647 - 1);
}

void expectInvalid(const std::string& text) {
    try {
        convertDecimal(text);
        ADD_FAILURE() << "no error for «" << text << "»";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "invalid stoi argument") << text;
    }
}

void expectOutOfRange(const std::string& text) {
    try {
        convertDecimal(text);
        ADD_FAILURE() << "no error for «" << text << "»";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "stoi argument out of range") << text;
    }
}

TEST(DecimalConversion, NoLeadingDigitIsInvalid) {
    for (const char* text : {"", "abc", "-", "+", " ", "- 1", "++1", "\xA0" "1", "x12"}) expectInvalid(text);
}

TEST(DecimalConversion, BeyondThirtyTwoBitsIsOutOfRange) {
    for (const char* text : {"2147483648", "-2147483649", "4294967296", "99999999999999999999999999999"})
        expectOutOfRange(text);
}

}  // namespace
