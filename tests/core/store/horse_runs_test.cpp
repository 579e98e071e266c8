// SPDX-License-Identifier: MIT
// The finder's read of active horses' form: each horse's whole career, its oldest races included.
#include "sample_store.h"
#include "store/database.h"
#include "store/horse_runs.h"
#include "store/second_connection.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using RaceAndDistance = std::pair<double, float>;

std::vector<RaceAndDistance> racesOf(const std::vector<store::RunRecord>& runs) {
    std::vector<RaceAndDistance> races;
    for (const auto& run : runs) races.emplace_back(run.racenum, run.dist);
    return races;
}

class HorseRuns : public testing_support::SampleStore {};

TEST_F(HorseRuns, ActiveHorsesCarryEveryRunTheyEverRan) {
    auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    store::SecondConnection beside(window.raceStorePath());
    for (const std::optional<int> firstWeek :
         {std::optional<int>(312), std::optional<int>(311), std::optional<int>()}) {
        int horses = 0;
        int withOlderRuns = 0;
        store::forEachActiveHorse(db, beside, firstWeek, [&](std::vector<store::RunRecord>& runs) {
            ++horses;
            const auto whole = store::runsOfHorse(db, runs.front().hid);
            EXPECT_EQ(racesOf(runs), racesOf(whole)) << runs.front().hid;
            if (firstWeek && whole.back().racenum < *firstWeek) ++withOlderRuns;
            return true;
        });
        EXPECT_GT(horses, 0);
        if (firstWeek) EXPECT_GT(withOlderRuns, 0) << *firstWeek;  // the case that needs races before the week
    }
}

}  // namespace
