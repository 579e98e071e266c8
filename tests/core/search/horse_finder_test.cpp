// SPDX-License-Identifier: MIT
#include "search/flat_bet.h"
#include "search/horse_comparison.h"
#include "search/horse_finder.h"
#include "base/calendar.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using search::FindCriteria;
using store::RunRecord;

constexpr int kNewestWeek = 600;
constexpr int kToday = base::kFirstWeekDay + kNewestWeek;

RunRecord run(int week, std::string surf, float dist, float sp, int fin, double odds = 4.0, std::string restr = "Alw",
              std::int64_t cprice = 0) {
    RunRecord r;
    r.hname = "Pale Ember";
    r.hid = 77;
    r.oname = "Moss Stable";
    r.racenum = week + 0.0101;
    r.surf = std::move(surf);
    r.cond = "F";
    r.dist = dist;
    r.sp = sp;
    r.fin = fin;
    r.odds = odds;
    r.restr = std::move(restr);
    r.cprice = cprice;
    r.purse = 10000;
    r.age = "F-3+";
    return r;
}

// Newest first: a dirt claiming win last week, a turf sprint, two older dirt routes.
std::vector<RunRecord> horse() {
    return {run(598, "D", 6, 82, 1, 3.0, "C10", 10000), run(590, "T", 5.5, 88, 4),
            run(580, "D", 8, 75, 2), run(560, "D", 8.5, 70, 7)};
}

struct CriteriaCase {
    const char* name;
    FindCriteria criteria;
    bool listed;
};

FindCriteria with(void (*change)(FindCriteria&)) {
    FindCriteria c;
    change(c);
    return c;
}

TEST(HorseFinder, CriteriaEdgesAreInclusive) {
    const std::vector<CriteriaCase> cases{
        {"active 3 weeks reaches week 598", with([](FindCriteria& c) { c.activeWeeks = 3; }), true},
        {"active 2 weeks ends at 599", with([](FindCriteria& c) { c.activeWeeks = 2; }), false},
        {"best dirt speed exactly 82", with([](FindCriteria& c) { c.surface = search::Surface::Dirt; c.minSpeed = 82; }), true},
        {"best dirt speed above 82", with([](FindCriteria& c) { c.surface = search::Surface::Dirt; c.minSpeed = 82.1; }), false},
        {"turf best 88", with([](FindCriteria& c) { c.surface = search::Surface::Turf; c.minSpeed = 88; }), true},
        {"average of last 2 dirt runs is 78.5",
         with([](FindCriteria& c) { c.surface = search::Surface::Dirt; c.lastRuns = 2; c.minSpeed = 78.5; }), true},
        {"average of last 2 below 79",
         with([](FindCriteria& c) { c.surface = search::Surface::Dirt; c.lastRuns = 2; c.minSpeed = 79; }), false},
        {"distances 8 to 8.5 count two runs", with([](FindCriteria& c) { c.minDist = 8; c.maxDist = 8.5; c.minStarts = 2; }), true},
        {"distances 8 to 8.5 have no win", with([](FindCriteria& c) { c.minDist = 8; c.maxDist = 8.5; c.maxWins = 0; }), true},
        {"all four runs hold a win", with([](FindCriteria& c) { c.maxWins = 0; }), false},
        {"no counting run", with([](FindCriteria& c) { c.minDist = 9; }), false},
        {"class of the newest run", with([](FindCriteria& c) { c.classes = {"Msw", "c10"}; }), true},
        {"another class", with([](FindCriteria& c) { c.classes = {"Alw"}; }), false},
        {"claiming price at the bound", with([](FindCriteria& c) { c.maxClaim = 10000; }), true},
        {"claiming price above the bound", with([](FindCriteria& c) { c.maxClaim = 9999; }), false},
        {"owner left out, any case", with([](FindCriteria& c) { c.excludedOwners = {"MOSS STABLE"}; }), false},
        {"age and sex code", with([](FindCriteria& c) { c.age = "F-3+"; }), true},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(search::judgeHorse(test.criteria, horse(), kNewestWeek, kToday).has_value(), test.listed)
            << test.name;
    }
}

TEST(HorseFinder, ARaceWithoutClaimingPriceNeverMeetsTheBound) {
    FindCriteria criteria;
    criteria.maxClaim = 1000000;
    auto runs = horse();
    runs.front().cprice = 0;
    EXPECT_FALSE(search::judgeHorse(criteria, runs, kNewestWeek, kToday));
}

TEST(HorseFinder, FiguresOfAHandWorkedHorse) {
    FindCriteria criteria;
    criteria.surface = search::Surface::Dirt;
    const auto found = search::judgeHorse(criteria, horse(), kNewestWeek, kToday);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->starts, 3);
    EXPECT_EQ(found->wins, 1);
    EXPECT_EQ(found->places, 1);
    EXPECT_EQ(found->shows, 0);
    EXPECT_EQ(found->earnings, 6000 + 2500);
    EXPECT_FLOAT_EQ(found->speed, 82);
    EXPECT_FLOAT_EQ(found->lastAverage, (82.0f + 75 + 70) / 3);
    EXPECT_FLOAT_EQ(*found->bestTurf, 88);
    // One $2 bet won at 3 to 1 (+$6), two lost (-$4): +$2 on $6 staked.
    EXPECT_NEAR(found->flatBetReturn, 100.0 / 3, 1e-9);
    EXPECT_EQ(found->claimingTag, 10000);
    EXPECT_EQ(found->lastWeek, 598);
}

TEST(FlatBet, ReturnWithAndWithoutWins) {
    search::FlatBet none;
    EXPECT_FALSE(none.percent());
    search::FlatBet losing;
    losing.add(2, 5.0);
    losing.add(7, 1.5);
    EXPECT_DOUBLE_EQ(*losing.percent(), -100.0);
    search::FlatBet winning;
    winning.add(1, 5.0);  // +$10
    winning.add(3, 2.0);  // -$2
    EXPECT_DOUBLE_EQ(*winning.percent(), 200.0);
}

TEST(HorseFinder, ClaimingTagOnlyFromRecentClaimingRaces) {
    auto old = horse();
    old.front().racenum = kNewestWeek - 371 + 0.0101;  // 371 days before today: too old
    FindCriteria anyTime;
    anyTime.activeWeeks.reset();
    const auto found = search::judgeHorse(anyTime, old, kNewestWeek, kToday);
    ASSERT_TRUE(found);
    EXPECT_FALSE(found->claimingTag);
}

TEST(HorseFinder, BadCriteriaNameTheirBox) {
    FindCriteria criteria;
    criteria.activeWeeks = 0;
    criteria.lastRuns = 0;
    criteria.minDist = 9;
    criteria.maxDist = 8;
    std::vector<std::string> boxes;
    for (const auto& problem : search::criteriaProblems(criteria)) boxes.push_back(problem.box);
    EXPECT_EQ(boxes, (std::vector<std::string>{"txtactive", "txtlast", "txtmaxdist"}));
    EXPECT_TRUE(search::criteriaProblems(FindCriteria{}).empty());
}

TEST(HorseComparison, BestValueOfEachRowStandsOut) {
    auto second = horse();
    for (auto& r : second) {
        r.hid = 78;
        r.sp -= 5;
        r.fin = 5;
    }
    const auto rows = search::compareHorses({horse(), second}, {{1, "AQU"}}, kToday);
    const auto row = [&](const std::string& caption) {
        for (const auto& r : rows)
            if (r.caption == caption) return r;
        ADD_FAILURE() << caption;
        return search::ComparisonRow{};
    };
    EXPECT_EQ(row("Record").cells, (std::vector<std::string>{"4-1-1-0", "4-0-0-0"}));
    EXPECT_EQ(row("Best Dirt").cells, (std::vector<std::string>{"82.0", "77.0"}));
    EXPECT_EQ(row("Best Dirt").best, 0u);
    EXPECT_EQ(row("Flat Bet %").cells, (std::vector<std::string>{"0.0", "-100.0"}));
    EXPECT_EQ(row("Earnings").best, 0u);
    EXPECT_EQ(row("Best 6").cells, (std::vector<std::string>{"82.0", "77.0"}));
    EXPECT_EQ(row("Run 1").cells[0], "Wk 598 AQU C10 6D F 82.0 1");
    EXPECT_EQ(row("Run 5").cells[0], "");
    EXPECT_EQ(row("Tag").cells, (std::vector<std::string>{"$10,000", "$10,000"}));
    EXPECT_FALSE(row("Tag").best);  // a tie marks no column
}

}  // namespace
