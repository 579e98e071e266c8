// SPDX-License-Identifier: MIT
#include "search/search_statistics.h"

#include "scripted_dialogs.h"
#include "base/earnings.h"
#include "base/calendar.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using search::ListedRun;
using Texts = std::vector<std::string>;

constexpr int kToday = base::kFirstWeekDay + 700;  // week 700 is today
constexpr const char* kHorse = "Blue River";
constexpr std::int64_t kHid = 42;
constexpr const char* kOwner = "Smith Stable";

// A run of the subject horse under its current owner unless told otherwise: an
// unplaced run in a fast six-furlong dirt allowance race of this week.
struct RunSpec {
    double racenum = 700.0101;
    float dist = 6;
    float sp = 80;
    std::string cond = "F";
    std::string surf = "D";
    int fin = 9;
    std::int64_t purse = 0;
    std::string restr = "Alw";
    std::int64_t cprice = 0;
    std::string oname = kOwner;
    std::string hname = kHorse;
    std::int64_t hid = kHid;
};

ListedRun listed(const RunSpec& run) {
    ListedRun listed;
    listed.hname = run.hname;
    listed.hid = run.hid;
    listed.racenum = run.racenum;
    listed.oname = run.oname;
    listed.dist = run.dist;
    listed.sp = run.sp;
    listed.restr = run.restr;
    listed.cond = run.cond;
    listed.surf = run.surf;
    listed.fin = run.fin;
    listed.purse = run.purse;
    listed.cprice = run.cprice;
    listed.earnings = base::earningsOf(run.purse, run.fin);
    return listed;
}

class SearchStatisticsTest : public testing::Test {
protected:
    SearchStatisticsTest() { statistics.setSubject(kHorse, kHid, kOwner); }

    void add(const RunSpec& run, int threshold = 30) { statistics.add(listed(run), threshold, kToday); }
    void report(search::SearchKind opt, const std::string& title = "blue river") {
        statistics.report({window.MSFWGrid, window.MSFSGrid, window.frainfo.caption, window.lblprogress.caption}, opt,
                          title, clock);
    }

    // Columns 1 to 9 of a row of MSFWGrid; columns 1 to 3 of a row of MSFSGrid.
    Texts maxSpeedRow(int row) const { return cells(window.MSFWGrid, row, 9); }
    Texts averageRow(int row) const { return cells(window.MSFSGrid, row, 3); }
    static Texts cells(const base::GridModel& grid, int row, int lastCol) {
        Texts texts;
        for (int col = 1; col <= lastCol; ++col) texts.push_back(grid.text(row, col));
        return texts;
    }
    Texts statusLines() const {
        Texts lines;
        std::istringstream text(window.lblprogress.caption);
        for (std::string line; std::getline(text, line, '\r');) lines.push_back(line);
        return lines;
    }

    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
    base::FixedClock clock{kToday};
    search::SearchStatistics statistics;
};

// Four runs under the current owner, newest first, then two under the previous one;
// earnings 6000, 5000, 640, 250, 30000 and 20.
class SmallSetTest : public SearchStatisticsTest {
protected:
    void SetUp() override {
        add({.racenum = 690.0101, .dist = 6, .sp = 95.5f, .fin = 1, .purse = 10000});
        add({.racenum = 680.0203, .dist = 8.5f, .sp = 101.25f, .surf = "T", .fin = 2, .purse = 20000,
             .restr = "C2L", .cprice = 12500});
        add({.racenum = 650.0102, .dist = 5.5f, .sp = 88.35f, .cond = "G", .fin = 3, .purse = 8000,
             .restr = "MC", .cprice = 8000});
        add({.racenum = 600.0301, .dist = 6, .sp = 30, .fin = 4, .purse = 5000});
        add({.racenum = 500.0101, .dist = 12.5f, .sp = 110, .fin = 1, .purse = 50000, .oname = "Jones Farm"});
        add({.racenum = 450.0101, .dist = 6.5f, .sp = 96.35f, .cond = "Y", .surf = "T", .fin = 5, .purse = 1000,
             .oname = "Jones Farm"});
    }
};

TEST_F(SmallSetTest, MaxSpeedGrid) {
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1), (Texts{"", "2-95.5", "", "", "", "", "", "1-110.0", "110.0/3"}));
    EXPECT_EQ(maxSpeedRow(2), (Texts{"", "", "", "1-101.3", "", "", "", "", "101.3/1"}));
    EXPECT_EQ(maxSpeedRow(3), (Texts{"1-88.4", "1-96.4", "", "", "", "", "", "", "96.4/2"}));
    EXPECT_EQ(maxSpeedRow(4), (Texts{"", "1-0-0", "", "", "", "", "", "1-0-0", "2-0-0/3"}));
    EXPECT_EQ(maxSpeedRow(5), (Texts{"", "", "", "0-1-0", "", "", "", "", "0-1-0/1"}));
    EXPECT_EQ(maxSpeedRow(6), (Texts{"0-0-1", "0-0-0", "", "", "", "", "", "", "0-0-1/2"}));
    EXPECT_TRUE(window.MSFWGrid.redraw());
}

TEST_F(SmallSetTest, AverageSpeedGrid) {
    report(search::kHorseByName);
    EXPECT_EQ(averageRow(1), (Texts{"95.5 (1)", "110.0 (1)", "102.8 (2)"}));
    EXPECT_EQ(averageRow(2), (Texts{"0 (0)", "101.3 (1)", "101.3 (1)"}));
    EXPECT_EQ(averageRow(3), (Texts{"92.4 (2)", "0 (0)", "92.4 (2)"}));
    EXPECT_EQ(averageRow(4), (Texts{"93.4 (3)", "105.6 (2)", "98.3 (5)"}));
    EXPECT_TRUE(window.MSFSGrid.redraw());
}

TEST_F(SmallSetTest, HorseSearchTexts) {
    report(search::kHorseByName);
    EXPECT_EQ(window.frainfo.caption, "Statistics for Blue River;     $41,910;  2 - 1 - 1 - 1 - 1 = 6 / 6");
    EXPECT_EQ(window.lblprogress.caption,
              "Statistics for Blue River\r"
              "Under trainer:  Smith Stable\r"
              "Earnings: $11,890\r"
              "W-P-S-4-5:  1-1-1-1-0=4/4\r"
              "Current Tag: $8,000\r"
              "Last Week of Tag:  Week 1021  (2001-05-07)\r"
              "\r"
              "Last 3, 6, 9, 12 mths: 1-1-2-2\r"
              "110+: 1     100+: 2     90+: 4");
}

TEST_F(SmallSetTest, OwnerSearchTexts) {
    report(search::kOwner, "smith stable");
    EXPECT_EQ(window.frainfo.caption, "Statistics for Smith Stable;     $41,910;  2 - 1 - 1 - 1 - 1 = 6 / 6");
    EXPECT_EQ(window.lblprogress.caption,
              "Statistics for Smith Stable\r"
              "Earnings = $41,910 = $6,985 / race\r"
              "W:  2 = 33.3%\r"
              "P:  1 = 16.7%\r"
              "S:  1 = 16.7%\r"
              "\r"
              "110+:  1 = 16.7%\r"
              "100+:  2 = 33.3%\r"
              " 90+:  4 = 66.7%");
}

TEST_F(SmallSetTest, RaceSearchEmptiesTheStatusText) {
    window.lblprogress.caption = "Searching...";
    report(search::kRace, "690.0101");
    EXPECT_EQ(window.lblprogress.caption, "");
    EXPECT_EQ(window.frainfo.caption, "Statistics for 690.0101;     $41,910;  2 - 1 - 1 - 1 - 1 = 6 / 6");
}

TEST_F(SearchStatisticsTest, BlueRiverCaption) {
    bool first = true;
    for (const int fin : {1, 1, 1, 2, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 6}) {
        ListedRun run = listed({.fin = fin});
        run.earnings = first ? 12345 : 0;
        first = false;
        statistics.add(run, 30, kToday);
    }
    report(search::kHorseByName);
    EXPECT_EQ(window.frainfo.caption, "Statistics for Blue River;     $12,345;  3 - 2 - 1 - 0 - 1 = 7 / 15");
}

TEST_F(SearchStatisticsTest, SpeedEqualToThresholdIsLeftOutOfTheAveragesOnly) {
    add({.sp = 110, .fin = 1}, 110);
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1)[1], "1-110.0");
    EXPECT_EQ(maxSpeedRow(4)[1], "1-0-0");
    for (int row = 1; row <= 4; ++row) EXPECT_EQ(averageRow(row), (Texts(3, "0 (0)"))) << row;
    EXPECT_EQ(statusLines().back(), "110+: 1     100+: 1     90+: 1");
    add({.sp = 110.01f, .fin = 2}, 110);
    report(search::kHorseByName);
    EXPECT_EQ(averageRow(1), (Texts{"110.0 (1)", "0 (0)", "110.0 (1)"}));
}

TEST_F(SearchStatisticsTest, ThresholdZeroAveragesEveryRun) {
    add({.sp = 10}, 0);
    add({.sp = 20}, 0);
    add({.dist = 9, .sp = 0.5f}, 0);
    report(search::kHorseByName);
    EXPECT_EQ(averageRow(1), (Texts{"15.0 (2)", "0.5 (1)", "10.2 (3)"}));
}

TEST_F(SearchStatisticsTest, ThresholdAboveEverySpeedLeavesNoAverage) {
    add({.sp = 120}, 200);
    add({.dist = 10, .sp = 99, .surf = "T"}, 200);
    add({.sp = 130, .cond = "S"}, 200);
    report(search::kHorseByName);
    for (int row = 1; row <= 4; ++row) EXPECT_EQ(averageRow(row), (Texts(3, "0 (0)"))) << row;
    EXPECT_EQ(maxSpeedRow(1)[8], "120.0/1");
}

TEST_F(SearchStatisticsTest, DistanceBucketsAndBands) {
    const std::vector<std::pair<float, float>> distanceAndSpeed{
        {4, 50}, {5.5f, 55}, {7.5f, 75}, {8, 80}, {12.5f, 90}, {14, 95}};
    for (const auto& [dist, sp] : distanceAndSpeed) add({.dist = dist, .sp = sp}, 0);
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1), (Texts{"2-55.0", "", "1-75.0", "1-80.0", "", "", "", "2-95.0", "95.0/6"}));
    // 4, 5.5 and 7.5 are sprints; 8, 12.5 and 14 routes.
    EXPECT_EQ(averageRow(1), (Texts{"60.0 (3)", "88.3 (3)", "74.2 (6)"}));
}

TEST_F(SearchStatisticsTest, SprintEndsAtSevenPointNine) {
    add({.dist = 7.9f, .sp = 10}, 0);
    add({.dist = 7.95f, .sp = 20}, 0);
    add({.dist = 12, .sp = 30}, 0);
    add({.dist = 5, .sp = 40}, 0);
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1), (Texts{"1-40.0", "", "2-20.0", "", "", "", "", "1-30.0", "40.0/4"}));
    EXPECT_EQ(averageRow(1), (Texts{"25.0 (2)", "25.0 (2)", "25.0 (4)"}));
}

// Distances below 4 have no bucket; such a run still counts for its class.
TEST_F(SearchStatisticsTest, RunShorterThanFourCountsOutsideTheBuckets) {
    add({.dist = 3.5f, .sp = 70, .fin = 1});
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1), (Texts{"", "", "", "", "", "", "", "", "0.0/1"}));
    EXPECT_EQ(maxSpeedRow(4), (Texts{"", "", "", "", "", "", "", "", "0-0-0/1"}));
    EXPECT_EQ(averageRow(1)[0], "70.0 (1)");
    EXPECT_EQ(window.frainfo.caption, "Statistics for Blue River;     $0;  1 - 0 - 0 - 0 - 0 = 1 / 1");
}

TEST_F(SearchStatisticsTest, SurfaceClasses) {
    add({.cond = "F", .surf = "D"});
    add({.cond = "F", .surf = ""});
    add({.cond = "F", .surf = "T"});
    for (const char* cond : {"G", "S", "Y"}) {
        add({.cond = cond, .surf = "D"});
        add({.cond = cond, .surf = "T"});
    }
    add({.cond = "f", .surf = "T"});  // only an exact "F" is a fast or firm track
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1)[8], "80.0/2");
    EXPECT_EQ(maxSpeedRow(2)[8], "80.0/1");
    EXPECT_EQ(maxSpeedRow(3)[8], "80.0/7");
    EXPECT_EQ(averageRow(4)[2], "80.0 (10)");
}

TEST_F(SearchStatisticsTest, ClassesWithoutRunsShowZeroMaximum) {
    add({.sp = 85, .fin = 2});
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(2), (Texts{"", "", "", "", "", "", "", "", "0.0/0"}));
    EXPECT_EQ(maxSpeedRow(3)[8], "0.0/0");
    EXPECT_EQ(maxSpeedRow(5)[8], "0-0-0/0");
    EXPECT_EQ(maxSpeedRow(4)[8], "0-1-0/1");
}

TEST_F(SearchStatisticsTest, HorseUnderANewOwner) {
    statistics.setSubject("Western Jewel", 69487, "Team young");
    add({.fin = 1, .purse = 1000, .oname = "Team young", .hname = "Western Jewel", .hid = 69487});
    add({.fin = 1, .purse = 10000, .oname = "Wood, P.", .hname = "Western Jewel", .hid = 69487});
    add({.fin = 2, .purse = 1000, .oname = "Team young", .hname = "Western Jewel", .hid = 5});
    add({.fin = 3, .purse = 1000, .oname = "Team young", .hname = "WESTERN JEWEL", .hid = 69487});
    add({.fin = 9, .oname = "Team young", .hname = "Western Jewel", .hid = 69487});
    report(search::kHorseByNameAndNumber, "western jewel");
    const Texts lines = statusLines();
    EXPECT_EQ(lines[1], "Under trainer:  Team young");
    EXPECT_EQ(lines[2], "Earnings: $600");
    EXPECT_EQ(lines[3], "W-P-S-4-5:  1-0-0-0-0=1/2");
    EXPECT_EQ(window.frainfo.caption, "Statistics for Western Jewel;     $6,930;  2 - 1 - 1 - 0 - 0 = 4 / 5");
}

TEST_F(SearchStatisticsTest, ClaimingTagOfTheLast371Days) {
    add({.racenum = 600.0101, .restr = "Clm", .cprice = 10000});  // 100 days old
    add({.racenum = 400.0101, .restr = "C1L", .cprice = 8000});   // 300 days old
    add({.racenum = 300.0101, .restr = "MC", .cprice = 5000});    // 400 days old
    report(search::kHorseByName);
    const Texts lines = statusLines();
    EXPECT_EQ(lines[4], "Current Tag: $8,000");
    EXPECT_EQ(lines[5], "Last Week of Tag:  Week 771  (2000-08-30)");
}

TEST_F(SearchStatisticsTest, NewestRaceKeepsAnEqualTag) {
    add({.racenum = 600.0101, .restr = "Clm", .cprice = 8000});
    add({.racenum = 400.0101, .restr = "Clm", .cprice = 8000});
    report(search::kHorseByNumber, "42");
    EXPECT_EQ(statusLines()[5], "Last Week of Tag:  Week 971  (" + clock.shortDate(base::kFirstWeekDay + 971) + ")");
}

TEST_F(SearchStatisticsTest, TagWindowEndsAfter370Days) {
    add({.racenum = 330.0101, .restr = "MC", .cprice = 6000});  // 370 days old
    add({.racenum = 329.0101, .restr = "MC", .cprice = 5000});  // 371 days old
    report(search::kHorseByName);
    EXPECT_EQ(statusLines()[4], "Current Tag: $6,000");
    EXPECT_EQ(statusLines()[5], "Last Week of Tag:  Week 701  (" + clock.shortDate(base::kFirstWeekDay + 701) + ")");
}

TEST_F(SearchStatisticsTest, TagBelowOneThousandShowsALeadingZeroGroup) {
    add({.restr = "Clm", .cprice = 500});
    report(search::kHorseByName);
    EXPECT_EQ(statusLines()[4], "Current Tag: $0,500");
}

TEST_F(SearchStatisticsTest, NoTag) {
    add({.restr = "MSW", .cprice = 5000});
    add({.restr = "clm", .cprice = 5000});
    add({.restr = "Alw", .cprice = 5000});
    add({.restr = "Clm", .cprice = 500001});
    report(search::kHorseByName);
    const Texts lines = statusLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4], "This horse has no tag.");
    EXPECT_EQ(lines[5], "");
    add({.restr = "Clm", .cprice = 500000});
    report(search::kHorseByName);
    EXPECT_EQ(statusLines()[4], "Current Tag: $500,000");
}

TEST_F(SearchStatisticsTest, RecentWinsByWindow) {
    for (const int week : {617, 616, 526, 525, 435, 434, 330, 329}) {
        add({.racenum = week + 0.0101, .fin = 1});
        add({.racenum = week + 0.0102, .fin = 2});
    }
    report(search::kHorseByName);
    EXPECT_EQ(statusLines()[6], "Last 3, 6, 9, 12 mths: 1-3-5-7");
}

TEST_F(SearchStatisticsTest, FastRunCounts) {
    for (const float sp : {89.99f, 90.0f, 99.99f, 100.0f, 109.99f, 110.0f, 125.0f}) add({.sp = sp});
    report(search::kHorseByName);
    EXPECT_EQ(statusLines().back(), "110+: 2     100+: 4     90+: 6");
}

TEST_F(SearchStatisticsTest, OwnerOfTwentyRunsWithThreeWins) {
    for (int i = 0; i < 20; ++i) add({.fin = i < 3 ? 1 : 4, .oname = "Russell Partners"});
    report(search::kOwner, "russell partners");
    const Texts lines = statusLines();
    EXPECT_EQ(lines[2], "W:  3 = 15.0%");
    EXPECT_EQ(lines[3], "P:  0 = 0.0%");
}

TEST_F(SearchStatisticsTest, OwnerRatesRoundHalvesAwayFromZero) {
    for (int i = 0; i < 8; ++i) {
        ListedRun run = listed({.fin = i == 0 ? 1 : 9});
        run.earnings = i == 0 ? 20 : 0;  // 2.5 a race
        statistics.add(run, 30, kToday);
    }
    report(search::kOwner, "smith stable");
    const Texts lines = statusLines();
    EXPECT_EQ(lines[1], "Earnings = $20 = $3 / race");
    EXPECT_EQ(lines[2], "W:  1 = 12.5%");
}

TEST_F(SearchStatisticsTest, SpecialStableSearchTitle) {
    add({.fin = 1, .purse = 1000});
    report(search::kOwner, "smith stable\" OR oname=\"jones farm\" OR oname=\"wood, p.");
    EXPECT_EQ(window.frainfo.caption, "Statistics for Special: Smith Stable;     $600;  1 - 0 - 0 - 0 - 0 = 1 / 1");
    EXPECT_EQ(statusLines()[0], "Statistics for Special: Smith Stable");
}

TEST_F(SearchStatisticsTest, ReportReplacesTheEarlierSearch) {
    add({.dist = 14, .sp = 101, .fin = 1});
    report(search::kHorseByName);
    ASSERT_EQ(maxSpeedRow(1)[7], "1-101.0");
    statistics.reset();
    statistics.setSubject(kHorse, kHid, kOwner);
    add({.sp = 90, .fin = 2, .restr = "Clm", .cprice = 4000});
    report(search::kHorseByName);
    EXPECT_EQ(maxSpeedRow(1), (Texts{"", "1-90.0", "", "", "", "", "", "", "90.0/1"}));
    EXPECT_EQ(maxSpeedRow(4), (Texts{"", "0-1-0", "", "", "", "", "", "", "0-1-0/1"}));
    EXPECT_EQ(averageRow(4)[2], "90.0 (1)");
    EXPECT_EQ(statusLines()[3], "W-P-S-4-5:  0-1-0-0-0=1/1");
    statistics.reset();
    statistics.setSubject(kHorse, kHid, kOwner);
    add({});
    report(search::kHorseByName);
    EXPECT_EQ(statusLines()[4], "This horse has no tag.");
}

}  // namespace
