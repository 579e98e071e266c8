// SPDX-License-Identifier: MIT
#include "shell/date_calculator.h"

#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using namespace std::chrono;

const std::string kNoWeek = "You must enter a week number from 1 to 32767 in the text box.";

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
    EXPECT_EQ(calculator.txtdate.maxLength, 5);
    EXPECT_EQ(calculator.lbldateinfo.caption, "");
}

TEST_F(DateCalculatorTest, ShowsTheTypedTextAndTheDateOnThreeLines) {
    EXPECT_EQ(convert("587"), "Week 587\r=\r2000-02-28");
    EXPECT_EQ(convert("1"), "Week 1\r=\r1998-07-21");
    EXPECT_EQ(convert("0600"), "Week 0600\r=\r2000-03-12");
    EXPECT_EQ(convert("10366"), "Week 10366\r=\r2026-12-07");  // today's five-digit weeks
    EXPECT_EQ(convert("32767"), "Week 32767\r=\r2088-04-06");
    EXPECT_TRUE(dialogs.messages.empty());
}

// Anything but the digits of a week from 1 to 32767 gets the message naming the range,
// and the last result goes with it.
TEST_F(DateCalculatorTest, TextThatIsNoWeekGetsTheMessageAndClearsTheResult) {
    for (const std::string text : {"", "abc", "0", "-1", "600.4", "1e3", " 600", "32768", "99999", "000600"}) {
        convert("600");
        dialogs.messages.clear();
        EXPECT_EQ(convert(text), "") << text;
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{kNoWeek}) << text;
    }
}

TEST_F(DateCalculatorTest, OnlyDigitsBackspaceAndEnterAreTyped) {
    for (const int key : {int{'0'}, int{'9'}, 8}) EXPECT_EQ(calculator.txtdate_Keypress(key), key) << key;
    for (const int key : {'-', '.', 'e', ' ', '+'}) EXPECT_EQ(calculator.txtdate_Keypress(key), 0) << key;
    EXPECT_EQ(calculator.lbldateinfo.caption, "");
    calculator.txtdate.caption = "587";
    EXPECT_EQ(calculator.txtdate_Keypress(13), 13);
    EXPECT_EQ(calculator.lbldateinfo.caption, "Week 587\r=\r2000-02-28");
}

}  // namespace
