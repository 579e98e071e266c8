// SPDX-License-Identifier: MIT
#include "shell/date_calculator.h"

#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using namespace std::chrono;

const std::string kNoWeek = "You must enter a week number in the text box.";

int day(int y, unsigned m, unsigned d) { return base::dayNumberOf(year{y} / month{m} / d); }

TEST(WeekDate, WeeksBefore587AreTakenOneEarlier) {
    EXPECT_EQ(base::weekDateDay(1), day(1998, 7, 21));
    EXPECT_EQ(base::weekDateDay(586), day(2000, 2, 26));
    EXPECT_EQ(base::weekDateDay(587), day(2000, 2, 28));  // 27 February 2000 belongs to no week
    EXPECT_EQ(base::weekDateDay(600), day(2000, 3, 12));
    EXPECT_EQ(base::weekDateDay(1000), day(2001, 4, 16));
    EXPECT_EQ(base::weekDateWeek(586), 585);
    EXPECT_EQ(base::weekDateWeek(587), 587);
}

TEST(WeekDate, NothingOutsideTheCalendar) {
    EXPECT_EQ(base::dateOfDay(base::kFirstCalendarDay), year{100} / January / 1);
    EXPECT_EQ(base::dateOfDay(base::kLastCalendarDay), year{9999} / December / 31);
    const long long lastWeek = base::kLastCalendarDay - base::kFirstWeekDay;
    EXPECT_EQ(base::weekDateDay(lastWeek), base::kLastCalendarDay);
    EXPECT_FALSE(base::weekDateDay(lastWeek + 1));
    const long long firstWeek = base::kFirstCalendarDay - base::kFirstWeekDay + 1;  // taken one earlier
    EXPECT_EQ(base::weekDateDay(firstWeek), base::kFirstCalendarDay);
    EXPECT_FALSE(base::weekDateDay(firstWeek - 1));
    EXPECT_FALSE(base::weekDateDay(9'000'000'000'000'000'000LL));
    EXPECT_FALSE(base::weekDateDay(-9'000'000'000'000'000'000LL));
}

class DateCalculatorTest : public ::testing::Test {
protected:
    std::string convert(const std::string& text) {
        calculator.txtdate.caption = text;
        calculator.cmdgetdate_Click();
        return calculator.lbldateinfo.caption;
    }

    testing_support::ScriptedDialogs dialogs;
    base::FixedClock clock{40000};
    shell::DateCalculator calculator{dialogs, clock};
};

TEST_F(DateCalculatorTest, StartsEmptyWithItsCaptions) {
    EXPECT_EQ(calculator.lblenterdate.caption, "Enter Date:");
    EXPECT_EQ(calculator.cmdgetdate.caption, "Get Date");
    EXPECT_EQ(calculator.txtdate.caption, "");
    EXPECT_EQ(calculator.txtdate.maxLength, 6);
    EXPECT_EQ(calculator.lbldateinfo.caption, "");
}

TEST_F(DateCalculatorTest, ShowsTheTypedTextAndTheDateOnThreeLines) {
    EXPECT_EQ(convert("587"), "Week 587\r=\r2000-02-28");
    EXPECT_EQ(convert("-999"), "Week -999\r=\r1995-10-25");
    EXPECT_EQ(convert("1e3"), "Week 1e3\r=\r2001-04-16");
    EXPECT_EQ(convert(" 600"), "Week  600\r=\r2000-03-12");
    EXPECT_EQ(convert("10366"), "Week 10366\r=\r2026-12-07");  // today's five-digit weeks
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DateCalculatorTest, FractionsRoundHalfToEven) {
    EXPECT_EQ(convert("600.4"), "Week 600.4\r=\r2000-03-12");
    EXPECT_EQ(convert("586.5"), "Week 586.5\r=\r2000-02-26");  // 586
    EXPECT_EQ(convert("587.5"), "Week 587.5\r=\r2000-02-29");  // 588
    EXPECT_EQ(convert("586.6"), "Week 586.6\r=\r2000-02-28");  // 587
}

TEST_F(DateCalculatorTest, TextThatIsNoWeekGetsTheMessageAndKeepsTheResult) {
    convert("600");
    for (const std::string text : {"", "abc", "-", ".", "1e", "9e99", "4e4", "-4e4", "40000", "103660"}) {
        dialogs.messages.clear();
        EXPECT_EQ(convert(text), "Week 600\r=\r2000-03-12") << text;
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{kNoWeek}) << text;
    }
}

TEST_F(DateCalculatorTest, SixteenBitLimits) {
    EXPECT_EQ(convert("3e4"), "Week 3e4\r=\r2080-09-08");
    calculator.txtdate.caption = "32767.5";  // rounds to 32768
    calculator.cmdgetdate_Click();
    EXPECT_EQ(dialogs.messages.size(), 1U);
}

TEST_F(DateCalculatorTest, EnterConvertsAndOtherKeysDoNot) {
    calculator.txtdate.caption = "587";
    calculator.txtdate_Keypress('5');
    EXPECT_EQ(calculator.lbldateinfo.caption, "");
    calculator.txtdate_Keypress(13);
    EXPECT_EQ(calculator.lbldateinfo.caption, "Week 587\r=\r2000-02-28");
    calculator.txtdate.caption = "";
    calculator.txtdate_Keypress(13);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kNoWeek});
}

}  // namespace
