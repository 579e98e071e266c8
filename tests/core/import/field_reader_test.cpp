// SPDX-License-Identifier: MIT
#include "import/field_reader.h"
#include "import/number_forms.h"
#include "base/number_format.h"
#include "import/results_file_error.h"
#include "base/utf8_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>
#include <vector>

namespace {

std::vector<std::string> texts(std::string_view bytes, int count) {
    import::FieldReader reader(bytes);
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i) fields.emplace_back(reader.nextText());
    return fields;
}

using Fields = std::vector<std::string>;

TEST(ImportFieldReader, EndsFieldsAtCommasAndEveryKindOfLineEnd) {
    EXPECT_EQ(texts("a,b\r\nc\rd\ne", 5), (Fields{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(texts("a\n\nb", 3), (Fields{"a", "", "b"}));  // an empty line is an empty field
    EXPECT_EQ(texts("a,,b", 3), (Fields{"a", "", "b"}));
    EXPECT_EQ(texts("a\n\r", 2), (Fields{"a", ""}));  // LF CR is two line ends
}

TEST(ImportFieldReader, QuotedTextsKeepCommasAndDropWhatFollowsTheQuote) {
    EXPECT_EQ(texts("\"Harrow Bloodstock, Ltd.\",x", 2), (Fields{"Harrow Bloodstock, Ltd.", "x"}));
    EXPECT_EQ(texts("\"a\" tail,b", 2), (Fields{"a", "b"}));
    EXPECT_EQ(texts("\"two\r\nlines\",b", 2), (Fields{"two\r\nlines", "b"}));
    EXPECT_EQ(texts("\"\",b", 2), (Fields{"", "b"}));
    EXPECT_EQ(texts("\"unclosed, to the end", 1), (Fields{"unclosed, to the end"}));
    EXPECT_EQ(texts("a\"b\",c", 2), (Fields{"a\"b\"", "c"}));  // a quote inside is plain text
}

TEST(ImportFieldReader, SkipsBlanksInFrontOnly) {
    EXPECT_EQ(texts("  a b  ,\t\"q\"", 2), (Fields{"a b  ", "q"}));
    EXPECT_EQ(texts("   ", 1), (Fields{""}));
}

TEST(ImportFieldReader, FailsWhenAskedPastTheEnd) {
    import::FieldReader reader("a,b\r\n");
    reader.skipText(2);
    EXPECT_THROW(reader.nextText(), import::ResultsFileError);
    import::FieldReader empty("");
    EXPECT_THROW(empty.nextDouble("a field"), import::ResultsFileError);
    import::FieldReader afterComma("a,");
    afterComma.nextText();
    EXPECT_THROW(afterComma.nextText(), import::ResultsFileError);
}

TEST(ImportFieldReader, ReadsNumberFields) {
    import::FieldReader reader("312.0507, -45 ,,\"7\",+.5,0.1,2.5,3.5,-2.5,32767.4,-32768");
    EXPECT_EQ(reader.nextDouble("a field"), 312.0507);
    EXPECT_EQ(reader.nextSingle("a field"), -45.0f);
    EXPECT_EQ(reader.nextSingle("a field"), 0.0f);  // empty reads as 0
    EXPECT_EQ(reader.nextInteger16("a field"), 7);
    EXPECT_EQ(reader.nextDouble("a field"), 0.5);
    EXPECT_EQ(reader.nextSingle("a field"), 0.1f);  // straight to single, not through a double
    EXPECT_EQ(reader.nextInteger16("a field"), 2);  // halves to the even neighbour
    EXPECT_EQ(reader.nextInteger16("a field"), 4);
    EXPECT_EQ(reader.nextInteger16("a field"), -2);
    EXPECT_EQ(reader.nextInteger16("a field"), 32767);
    EXPECT_EQ(reader.nextInteger16("a field"), -32768);
}

// A refused field is named in the player's words, with what is wrong with it.
TEST(ImportFieldReader, RefusesNumberFieldsThatAreNoNumberOrTooBig) {
    enum Kind { Double, Single, Integer16 };
    const std::string huge(400, '9');
    const struct {
        std::string field;
        Kind kind;
        std::string reason;
    } cases[] = {
        {"abc", Double, "the speed figure is not a number"},
        {"1e5", Double, "the speed figure is not a number"},
        {"nan", Single, "the speed figure is not a number"},
        {"12abc", Integer16, "the speed figure is not a number"},
        {"340282356779733661637539395458142568448", Single, "the speed figure is too large"},  // beyond a single
        {huge, Double, "the speed figure is not a number"},
        {"32767.5", Integer16, "the speed figure is too large"},
        {"-32768.6", Integer16, "the speed figure is too small"},
    };
    for (const auto& c : cases) {
        import::FieldReader reader(c.field);
        try {
            if (c.kind == Double) reader.nextDouble("the speed figure");
            else if (c.kind == Single) reader.nextSingle("the speed figure");
            else reader.nextInteger16("the speed figure");
            ADD_FAILURE() << c.field << " was read";
        } catch (const import::ResultsFileError& error) { EXPECT_EQ(error.reason(), c.reason) << c.field; }
    }
    for (const char* field : {"1.2.3", "-", ".", "0x10", "inf", "1 2"}) {
        import::FieldReader reader(field);
        EXPECT_THROW(reader.nextDouble("a field"), import::ResultsFileError) << field;
    }
    const std::string tinyText = "0." + std::string(400, '0') + "1";
    import::FieldReader tiny(tinyText);
    EXPECT_EQ(tiny.nextDouble("a field"), 0.0);  // too small is 0, not a failure
}

// Every number read must be the correctly rounded value of its text, in its own type:
// compare with the standard library's reading of many short and long decimals.
TEST(ImportNumberForms, ReadsNumbersCorrectlyRounded) {
    std::mt19937 random(20240601);
    for (int i = 0; i < 20000; ++i) {
        const int wholeDigits = static_cast<int>(random() % 12);
        const int decimals = static_cast<int>(random() % 12);
        std::string text = random() % 4 == 0 ? "-" : "";
        for (int d = 0; d < wholeDigits; ++d) text += static_cast<char>('0' + random() % 10);
        if (decimals > 0 || wholeDigits == 0) text += '.';
        for (int d = 0; d < decimals || text.back() == '.'; ++d) text += static_cast<char>('0' + random() % 10);
        const std::string_view unsigned_text = std::string_view(text).substr(text[0] == '-' ? 1 : 0);
        float single = 0;
        double number = 0;
        ASSERT_TRUE(import::parseNumber(text, single)) << text;
        ASSERT_TRUE(import::parseNumber(text, number)) << text;
        float expectedSingle = 0;
        double expectedNumber = 0;
        std::from_chars(unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), expectedSingle);
        std::from_chars(unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), expectedNumber);
        if (text[0] == '-') {
            expectedSingle = -expectedSingle;
            expectedNumber = -expectedNumber;
        }
        ASSERT_EQ(single, expectedSingle) << text;
        ASSERT_EQ(number, expectedNumber) << text;
    }
}

TEST(ImportNumberForms, ShortestAndFourDecimalForms) {
    EXPECT_EQ(base::shortestText(312.0507), "312.0507");
    EXPECT_EQ(base::shortestText(312.05), "312.05");
    EXPECT_EQ(base::shortestText(312.0), "312");
    EXPECT_EQ(base::shortestText(9948.0f), "9948");
    EXPECT_EQ(base::shortestText(100000.0f), "100000");  // plain digits below 10^7
    EXPECT_EQ(base::shortestText(9999999.0f), "9999999");
    EXPECT_EQ(base::shortestText(0.1f), "0.1");  // the single's digits, not 0.10000000149
    EXPECT_EQ(base::shortestText(10000000.0f), "1e+07");
    EXPECT_EQ(base::shortestText(16777217.0f), "1.6777216e+07");
    EXPECT_EQ(base::shortestText(1000000.0), "1000000");
    EXPECT_EQ(base::shortestText(1e-5), "0.00001");
    EXPECT_EQ(import::fourDecimalForm(12.07), "12.0700");
    EXPECT_EQ(import::fourDecimalForm(312.05), "312.0500");
    EXPECT_EQ(import::fourDecimalForm(580.01234), "580.0123");
    EXPECT_EQ(import::fourDecimalForm(1e300).size(), 306u);
}

TEST(ImportNumberForms, Amounts) {
    EXPECT_EQ(import::parseAmount("167,600"), 167600.0);
    EXPECT_EQ(import::parseAmount(" 5000 "), 5000.0);
    EXPECT_EQ(import::parseAmount("1,234.5"), 1234.5);
    for (const char* text : {"", ",500", "5,000.0,0", "abc", "$5", "5 000", "1,2.3.4", "(5,000)"}) {
        EXPECT_FALSE(import::parseAmount(text)) << text;
    }
}

TEST(ImportNumberForms, WholeNumbersRoundHalvesToEvenAndKeepTheirWidth) {
    EXPECT_EQ(import::roundToInteger16(12.5), 12);
    EXPECT_EQ(import::roundToInteger16(13.5), 14);
    EXPECT_EQ(import::roundToInteger16(-32768.4), -32768);
    EXPECT_FALSE(import::roundToInteger16(-32768.6));
    EXPECT_EQ(import::roundToInteger32(2147483647.4), 2147483647);
    EXPECT_FALSE(import::roundToInteger32(2147483647.5));
    EXPECT_FALSE(import::roundToInteger64(9223372036854775808.0));
    EXPECT_FALSE(import::roundToInteger64(std::nan("")));
    EXPECT_FALSE(import::roundToInteger16(HUGE_VAL));
}

TEST(ImportUtf8Text, CountsCodePointsAndNeverSplitsOne) {
    const std::string text = "Ölçü🐎x";  // 6 characters, 12 bytes
    EXPECT_EQ(base::characterCount(text), 6u);
    EXPECT_EQ(base::firstCharacters(text, 5), "Ölçü🐎");
    EXPECT_EQ(base::firstCharacters(text, 99), text);
    EXPECT_EQ(base::withoutFirstCharacters(text, 1), "lçü🐎x");
    EXPECT_EQ(base::withoutLastCharacters(text, 2), "Ölçü");
    EXPECT_EQ(base::withoutLastCharacters(text, 7), "");
    EXPECT_EQ(base::withoutFirstCharacters("ab", 3), "");
}

TEST(ImportUtf8Text, CountsBytesOfInvalidText) {
    for (const std::string text : {"\xc3", "a\xff", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82"}) {
        EXPECT_FALSE(base::isValidUtf8(text));
        EXPECT_EQ(base::characterCount(text), text.size());
        EXPECT_EQ(base::firstCharacters(text, 1), text.substr(0, 1));
    }
    EXPECT_TRUE(base::isValidUtf8("\xf4\x8f\xbf\xbf"));  // U+10FFFF
}

}  // namespace
