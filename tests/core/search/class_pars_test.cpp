// SPDX-License-Identifier: MIT
// The class par table and a horse's placement against it, on races written one by one.
#include "search/class_pars.h"
#include "search/horse_finder.h"
#include "store/database.h"
#include "store/race_writer.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "test_folder.h"

#include <gmock/gmock.h>

namespace {

using search::ParOptions;

struct Race {
    double racenum;
    std::string restr;
    std::int64_t claim;
    std::string surf;
    std::vector<std::pair<std::int64_t, double>> runners;  // horse number and speed, finishing order
};

class ClassParsTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(path);
        // Claiming 5000 on dirt: five races of weeks 10364 to 10366 (one without a winner's
        // figure); Stk on turf: two races; Alw on dirt: four races.
        write({{10364.0101, "Clm", 5000, "D", {{1, 80.0}, {2, 75.0}, {3, 70.0}}},
               {10364.0102, "Clm", 5000, "D", {{4, 84.0}, {1, 79.0}, {5, 0.0}}},
               {10365.0101, "Clm", 5000, "D", {{2, 90.0}, {4, 88.0}, {6, 71.0}}},
               {10366.0101, "Clm", 5000, "D", {{6, 82.0}, {1, 81.5}, {2, 76.0}}},
               {10366.0102, "Clm", 5000, "D", {{7, 0.0}, {1, 81.0}, {2, 79.0}}},
               {10365.0201, "Stk", 0, "T", {{8, 101.0}, {9, 95.0}, {1, 0.0}}},
               {10366.0201, "Stk", 0, "T", {{9, 99.0}, {8, 97.0}}},
               {10364.0301, "Alw", 0, "D", {{3, 85.0}, {5, 84.0}}},
               {10365.0301, "Alw", 0, "D", {{5, 86.0}, {3, 83.0}}},
               {10365.0302, "Alw", 0, "D", {{5, 86.5}, {3, 83.0}}},
               {10366.0301, "Alw", 0, "D", {{3, 87.0}, {5, 80.0}}}});
    }
    void write(const std::vector<Race>& races) {
        auto db = store::Database::open(path);
        store::Transaction transaction(db);
        store::RaceWriter writer(db);
        for (const auto& race : races) {
            writer.addRace({.racenum = race.racenum, .surf = race.surf, .restr = race.restr, .cprice = race.claim});
            int fin = 0;
            for (const auto& [hid, speed] : race.runners)
                writer.addRunner({.hname = "Horse " + std::to_string(hid),
                                  .hid = hid,
                                  .racenum = race.racenum,
                                  .fin = ++fin,
                                  .sp = speed});
        }
        transaction.commit();
    }
    // The table as "class claim surface races par board" lines.
    std::vector<std::string> table(const ParOptions& options) {
        auto db = store::Database::open(path, store::Access::ReadOnly);
        std::vector<std::string> lines;
        for (const auto& row : search::classPars(db, options))
            lines.push_back(row.key.restr + " " + std::to_string(row.key.claim) + " " + row.key.surface + " " +
                            std::to_string(row.races) + " " + search::figureText(row.par) + " " +
                            (row.board ? search::figureText(*row.board) : "-"));
        return lines;
    }
    testing_support::TestFolder folder;
    std::filesystem::path path = folder / "horses.mdb";
};

// Medians of odd and even counts, the minimum, a surface, the week bounds and bounds the
// wrong way round; highest par first.
TEST_F(ClassParsTest, TheTableByBoundsSurfaceAndMinimum) {
    const struct {
        ParOptions options;
        std::vector<std::string> lines;
    } cases[] = {
        // Clm: winners 80, 84, 90, 82 (the fifth has no figure): par (82 + 84) / 2; thirds
        // 70, 71, 76 (0 left out): board 71. Alw: 85, 86, 86.5, 87 and no third.
        {{}, {"Alw 0 D 4 86.25 -", "Clm 5000 D 4 83.00 71.00"}},
        {{.minRaces = 1}, {"Stk 0 T 2 100.00 -", "Alw 0 D 4 86.25 -", "Clm 5000 D 4 83.00 71.00"}},
        {{.surface = "T", .minRaces = 0}, {"Stk 0 T 2 100.00 -"}},
        {{.firstWeek = 10365, .lastWeek = 10365, .minRaces = 1},
         {"Stk 0 T 1 101.00 -", "Clm 5000 D 1 90.00 71.00", "Alw 0 D 2 86.25 -"}},
        {{.firstWeek = 10366, .minRaces = 2}, {}},
        {{.firstWeek = 10366, .lastWeek = 10364, .minRaces = 0}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(table(c.options), c.lines) << c.lines.size();
}

// A horse's form over its newest five figures, the classes it fits on the surfaces it ran,
// and a horse without figures.
TEST_F(ClassParsTest, PlacesAHorseByItsFormOnTheSurfacesItRan) {
    write({{10366.0401, "Alw", 0, "D", {{10, 0.0}}}});
    auto db = store::Database::open(path, store::Access::ReadOnly);
    const ParOptions options{.minRaces = 1};
    const auto pars = search::classPars(db, options);
    // Horse 1: 80, 79, 81.5, 81 (0 left out): form (80 + 81) / 2 = 80.5, dirt only.
    const auto one = search::placeHorse(db, 1, options);
    EXPECT_EQ(one.name, "Horse 1");
    EXPECT_EQ(one.runs, 4);
    EXPECT_EQ(one.form, 80.5);
    EXPECT_EQ(search::bestFit(one, pars, "D"), std::nullopt);
    // Horse 5: 84, 86, 86.5, 80 and the 0: form 85; fits Alw (86.25)? No; nothing on turf.
    const auto five = search::placeHorse(db, 5, options);
    EXPECT_EQ(five.form, 85.0);
    EXPECT_EQ(search::margin(five, pars[1]), 85.0 - 86.25);
    // Horse 2: 75, 90, 76, 79: form 77.5, no fit; horse 4: 84, 88: form 86, fits Alw and Clm.
    const auto four = search::placeHorse(db, 4, options);
    ASSERT_TRUE(search::bestFit(four, pars, "D"));
    EXPECT_EQ(search::classText(search::bestFit(four, pars, "D")->key), "Clm 5000");
    EXPECT_EQ(search::bestFit(four, pars, "T"), std::nullopt);
    const auto none = search::placeHorse(db, 10, options);
    EXPECT_EQ(none.form, std::nullopt);
    EXPECT_EQ(none.runs, 0);
    EXPECT_FALSE(search::fits(none, pars[1]));
    EXPECT_THROW(search::placeHorse(db, 99, options), search::FindError);
}

// Head to head: races both ran and who finished ahead, either way round; two that never met.
TEST_F(ClassParsTest, MeetingsOfTwoHorses) {
    auto db = store::Database::open(path, store::Access::ReadOnly);
    const struct {
        std::int64_t first, second;
        int races, firstAhead;
    } cases[] = {{1, 2, 3, 3}, {2, 1, 3, 0}, {3, 5, 4, 2}, {8, 9, 2, 1}, {1, 8, 1, 0}, {4, 9, 0, 0}};
    for (const auto& c : cases) {
        const auto met = store::meetings(db, c.first, c.second);
        EXPECT_EQ(met.races, c.races) << c.first << "-" << c.second;
        EXPECT_EQ(met.firstAhead, c.firstAhead) << c.first << "-" << c.second;
    }
}

}  // namespace
