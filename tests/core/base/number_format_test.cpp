// SPDX-License-Identifier: MIT
#include "base/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

using base::formatDecimalText;
using base::formatNumber;
using base::shortestText;

TEST(NumberFormat, MasksOfTheDisplays) {
    EXPECT_EQ(formatNumber(96.35f, "#0.0"), "96.4");
    EXPECT_EQ(formatNumber(7.5f, "00.0"), "07.5");
    EXPECT_EQ(formatNumber(98.3f, "00.0"), "98.3");
    EXPECT_EQ(formatNumber(3.0, "#0.00"), "3.00");
    EXPECT_EQ(formatNumber(312.05, "#0.0000"), "312.0500");
    EXPECT_EQ(formatNumber(312.0507, "#0.0000"), "312.0507");
    EXPECT_EQ(formatNumber(500, "$0,000"), "$0,500");
    EXPECT_EQ(formatNumber(8000, "$0,000"), "$8,000");
    EXPECT_EQ(formatNumber(500000, "$0,000"), "$500,000");
    EXPECT_EQ(formatNumber(12345, "#,##0"), "12,345");
    EXPECT_EQ(formatNumber(0, "$#,##0"), "$0");
    EXPECT_EQ(formatNumber(1234567, "$#,##0"), "$1,234,567");
    EXPECT_EQ(formatNumber(123.45f, "##0.0"), "123.5");
    EXPECT_EQ(formatNumber(5.0f, "##0.0"), "5.0");
}

// Values with no more decimals than the mask take a shorter route; it must agree with
// the decimal route on every such value, and those just beside them, of either type.
template <typename T>
void expectBothRoutesAgree(T value, const char* mask) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    EXPECT_EQ(formatNumber(value, mask), formatDecimalText(std::string_view(text, end), mask)) << text << " " << mask;
}

TEST(NumberFormat, ExactValuesAgreeWithTheDecimalRoute) {
    for (const char* mask : {"#0.0000", "00.0", "#0.00", "#0.0", "##0.0", "#.00", "0"}) {
        for (const double whole : {0.0, 1.0, 7.0, 98.0, 699.0, 10366.0, 4194303.0, 1e9, 2.25e15}) {
            for (const int units : {0, 1, 5, 9, 50, 201, 9806, 9999}) {
                const double value = whole + units / 10000.0;
                for (const double v : {value, -value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)}) {
                    expectBothRoutesAgree(v, mask);
                    expectBothRoutesAgree(static_cast<float>(v), mask);
                }
            }
        }
    }
}

TEST(NumberFormat, PercentScalesTheDecimalValue) {
    EXPECT_EQ(formatNumber(0.125f, "#0.0%"), "12.5%");
    EXPECT_EQ(formatNumber(3.0f / 20.0f, "#0.0%"), "15.0%");  // 0.150000006 as a single
    EXPECT_EQ(formatNumber(1.0f / 6.0f, "#0.0%"), "16.7%");
    EXPECT_EQ(formatNumber(1.0f, "#0.0%"), "100.0%");
    EXPECT_EQ(formatNumber(0.0f, "#0.0%"), "0.0%");
    EXPECT_EQ(formatNumber(0.0005f, "#0.0%"), "0.1%");
    EXPECT_EQ(formatNumber(0.00049f, "#0.0%"), "0.0%");
}

// The binary values below all lie just under the half that their decimal text shows.
TEST(NumberFormat, RoundsTheShortestTextHalfAwayFromZero) {
    EXPECT_EQ(formatNumber(0.15, "#0.0"), "0.2");
    EXPECT_EQ(formatNumber(1.005, "#0.00"), "1.01");
    EXPECT_EQ(formatNumber(2.675, "#0.00"), "2.68");
    EXPECT_EQ(formatNumber(88.35f, "#0.0"), "88.4");
    EXPECT_EQ(formatNumber(2.5, "$#,##0"), "$3");  // not to even
    EXPECT_EQ(formatNumber(3.5, "#,##0"), "4");
    EXPECT_EQ(formatNumber(0.25, "#0.0"), "0.3");
    EXPECT_EQ(formatNumber(0.24999, "#0.0"), "0.2");
    EXPECT_EQ(formatNumber(-2.5, "#,##0"), "-3");
}

TEST(NumberFormat, RoundingCarriesIntoNewDigitsAndGroups) {
    EXPECT_EQ(formatNumber(9.96f, "#0.0"), "10.0");
    EXPECT_EQ(formatNumber(99.95f, "00.0"), "100.0");
    EXPECT_EQ(formatNumber(999.5, "#,##0"), "1,000");
    EXPECT_EQ(formatNumber(999999.5, "$#,##0"), "$1,000,000");
    EXPECT_EQ(formatNumber(0.9999f, "#0.0%"), "100.0%");
    EXPECT_EQ(formatNumber(0.96, "#0.0"), "1.0");
}

TEST(NumberFormat, SmallValuesShowTheRequiredZeros) {
    EXPECT_EQ(formatNumber(0.5, "#0.0"), "0.5");
    EXPECT_EQ(formatNumber(0.04, "#0.0"), "0.0");
    EXPECT_EQ(formatNumber(0.0004, "#0.00"), "0.00");
    EXPECT_EQ(formatNumber(0.05, "00.0"), "00.1");
    EXPECT_EQ(formatNumber(0.4, "$#,##0"), "$0");
    EXPECT_EQ(formatNumber(1e-30, "#0.0000"), "0.0000");
}

TEST(NumberFormat, LargeValuesKeepEveryDigit) {
    EXPECT_EQ(formatNumber(1e20, "#,##0"), "100,000,000,000,000,000,000");
    EXPECT_EQ(formatNumber(std::numeric_limits<std::int64_t>::max(), "#,##0"),
              "9,223,372,036,854,775,807");
    // The single nearest 123456789 is 123456792; its shortest text is 1.2345679e+08.
    EXPECT_EQ(formatNumber(123456789.0f, "#,##0"), "123,456,790");
    EXPECT_EQ(formatNumber(1e10f, "#,##0"), "10,000,000,000");
}

TEST(NumberFormat, NegativeValuesTakeALeadingMinus) {
    EXPECT_EQ(formatNumber(-3.25, "#0.00"), "-3.25");
    EXPECT_EQ(formatNumber(-1234, "$#,##0"), "-$1,234");
    EXPECT_EQ(formatNumber(std::int16_t{-7}, "00.0"), "-07.0");
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(formatNumber(-0.04, "#0.0"), "0.0");
    EXPECT_EQ(formatNumber(-0.0f, "#0.0"), "0.0");
}

TEST(NumberFormat, DecimalTextInput) {
    EXPECT_EQ(formatDecimalText("1.5e2", "#0.0"), "150.0");
    EXPECT_EQ(formatDecimalText("1.25E-1", "#0.0%"), "12.5%");
    EXPECT_EQ(formatDecimalText("007.50", "00.0"), "07.5");
    EXPECT_EQ(formatDecimalText(".5", "#0.0"), "0.5");
    EXPECT_EQ(formatDecimalText("-0", "#0.0"), "0.0");
    for (const char* bad : {"", "-", ".", "1..2", "1e", "1e+", "12a", "+1", " 1", "1e999", "1,000"}) {
        EXPECT_THROW(formatDecimalText(bad, "#0.0"), std::invalid_argument) << bad;
    }
}

TEST(NumberFormat, NotANumberAndInfinityShowAsSuch) {
    EXPECT_EQ(formatNumber(std::numeric_limits<float>::infinity(), "#0.0"), "inf");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), "#0.0"), "-inf");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), "#0.0"), "nan");
}

TEST(NumberFormat, MasksOutsideTheGrammarAreRefused) {
    for (const char* bad : {"", "$", "#.##", "0.0.0", "#,##0,", ",##0", "0.0,0", "0%0", "#0.#"}) {
        EXPECT_THROW(formatNumber(1.0, bad), std::invalid_argument) << bad;
    }
}

TEST(ShortestText, WholeNumbersWithoutDecimalPart) {
    EXPECT_EQ(shortestText(8.0f), "8");
    EXPECT_EQ(shortestText(8.5f), "8.5");
    EXPECT_EQ(shortestText(96.35f), "96.35");
    EXPECT_EQ(shortestText(0.1f), "0.1");
    EXPECT_EQ(shortestText(-12.5f), "-12.5");
    EXPECT_EQ(shortestText(312.05), "312.05");
    EXPECT_EQ(shortestText(312.0507), "312.0507");
    EXPECT_EQ(shortestText(100000.0), "100000");
    EXPECT_EQ(shortestText(9999999.0f), "9999999");
    EXPECT_EQ(shortestText(999999999999999.0), "999999999999999");
}

TEST(ShortestText, ExponentFormWherePlainDigitsWouldInventPrecision) {
    EXPECT_EQ(shortestText(1e7f), "1e+07");
    EXPECT_EQ(shortestText(12345678.0f), "1.2345678e+07");
    EXPECT_EQ(shortestText(1e15), "1e+15");
}

}  // namespace
