// SPDX-License-Identifier: MIT
#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace base {
namespace {

struct Numeric {
    std::string text;
    double value;
};

class ParseNumberAccepts : public testing::TestWithParam<Numeric> {};

TEST_P(ParseNumberAccepts, ReadsTheValue) {
    const auto value = parseNumber(GetParam().text);
    ASSERT_TRUE(value.has_value()) << '"' << GetParam().text << '"';
    EXPECT_DOUBLE_EQ(*value, GetParam().value);
    EXPECT_TRUE(isNumeric(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ParseNumberAccepts,
    testing::Values(Numeric{"0", 0}, Numeric{"42", 42}, Numeric{"-7", -7}, Numeric{"+3", 3},
                    Numeric{"007", 7}, Numeric{" 12 ", 12}, Numeric{"\t5\t", 5}, Numeric{"3.25", 3.25},
                    Numeric{".5", 0.5}, Numeric{"5.", 5}, Numeric{"-.5", -0.5}, Numeric{"+.5", 0.5},
                    Numeric{"1e3", 1000}, Numeric{"1E+3", 1000}, Numeric{"2.5e-2", 0.025},
                    Numeric{"587.0012", 587.0012}, Numeric{"9e99", 9e99}, Numeric{"1e-400", 0},
                    // Below the smallest double with no exponent written: still tiny.
                    Numeric{"0." + std::string(400, '0') + "1", 0}));

class ParseNumberRefuses : public testing::TestWithParam<std::string> {};

TEST_P(ParseNumberRefuses, IsNotANumber) {
    EXPECT_FALSE(parseNumber(GetParam()).has_value()) << '"' << GetParam() << '"';
    EXPECT_FALSE(isNumeric(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberRefuses,
                         testing::Values("", "   ", "abc", "12e", "12e+", "e5", ".", "-", "+-1", "1.2.3",
                                         "1,000", "1 000", "$5", "5%", "12abc", "0x1A", "nan", "inf",
                                         "- 5", "\n5"));

TEST(ParseNumber, BeyondADoubleIsAnInfiniteNumber) {
    EXPECT_EQ(parseNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(parseNumber("-1e400"), -HUGE_VAL);
    // A negative exponent does not make a long mantissa small.
    EXPECT_EQ(parseNumber("1" + std::string(400, '0') + "e-2"), HUGE_VAL);
    EXPECT_EQ(parseNumber("1e99999999999999999999"), HUGE_VAL);
    EXPECT_EQ(parseNumber("1e-99999999999999999999"), 0.0);
}

}  // namespace
}  // namespace base
