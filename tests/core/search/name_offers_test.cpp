// SPDX-License-Identifier: MIT
// The names offered while a name is typed: which names, in which order, for each kind.
#include "search/name_offers.h"
#include "store/database.h"
#include "store/name_offers.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using testing_support::TestFolder;

struct StoredRun {
    const char* hname;
    std::int64_t hid;
    double racenum;
    const char* oname;
};

// Inserted in this order: race 311.0102's horses neither in name order nor against it, so
// that its first name comes last whichever way the race is read; horse 9 ran as "Swiftly
// Old" before it was renamed.
const std::vector<StoredRun> kRuns{
    {"Swift Baron", 1, 310.0101, "Crane Stables"},
    {"Swift Baron", 1, 311.0102, "Crane Stables"},
    {"Swift Arrow", 10, 311.0102, "Crane Stables"},
    {"Swift Cloud", 12, 311.0102, "Crane Stables"},
    {"swift bay", 2, 311.0105, "crane farms"},
    {"Swift Baron", 3, 309.0103, "Rowe & Crane"},
    {"O'Brien's Pride", 4, 311.0101, "O'Neil's Yard"},
    {"100% Pure", 5, 310.0102, "100% Stables"},
    {"1005 Lights", 7, 310.0104, "1000 Stables"},
    {"10_Lucky", 6, 310.0103, "Cranford & Sons Racing Partnership Ltd"},
    {"10aLucky", 8, 310.0105, "Rowe & Crane"},
    {"Swiftly Old", 9, 305.0101, "Rowe & Crane"},
    {"Other Name", 9, 306.0101, "Rowe & Crane"},
    {"Bright Raider Of Bramley H", 11, 308.0101, "Rowe & Crane"},  // stored cut to 25 characters
};

class NameOffers : public ::testing::Test {
protected:
    NameOffers() {
        store::createRaceStore(folder / "empty.mdb");
        auto insert = db.prepare("INSERT INTO tblhorsedata (hname, hid, racenum, oname) VALUES (?1, ?2, ?3, ?4)",
                                 store::Reuse::Repeated);
        for (const StoredRun& run : kRuns) {
            insert.reset();
            insert.bind(1, std::string_view(run.hname).substr(0, 25)).bind(2, run.hid).bind(3, run.racenum);
            insert.bind(4, std::string_view(run.oname)).step();
        }
    }
    TestFolder folder;
    store::Database db = [this] {
        store::createRaceStore(folder / "horses.mdb");
        return store::Database::open(folder / "horses.mdb");
    }();
};

TEST_F(NameOffers, HorsesOnePerNumberUnderTheirNewestNameNewestRaceFirst) {
    using Offers = std::vector<store::HorseNameOffer>;
    const store::HorseNameOffer bay{"swift bay", 2, 311.0105}, arrow{"Swift Arrow", 10, 311.0102},
        baron{"Swift Baron", 1, 311.0102}, cloud{"Swift Cloud", 12, 311.0102}, olderBaron{"Swift Baron", 3, 309.0103};
    const struct {
        const char* prefix;
        std::size_t limit;
        Offers expected;
    } cases[]{
        {"sw", 12, {bay, arrow, baron, cloud, olderBaron}},  // any case; a renamed horse under its new name only
        {"sw", 2, {bay, arrow}},                             // a race's horses by name, the race read to its end
        {"SWIFT BAR", 12, {baron, olderBaron}},              // two horses of one name
        {"Swiftly", 12, {}},
        {"Other", 12, {{"Other Name", 9, 306.0101}}},
        {"O'B", 12, {{"O'Brien's Pride", 4, 311.0101}}},  // quotes, % and _ are plain characters
        {"100%", 12, {{"100% Pure", 5, 310.0102}}},
        {"10_", 12, {{"10_Lucky", 6, 310.0103}}},
        {"zz", 12, {}},
    };
    // Once as a rare prefix (read by name) and once as a common one (from the newest runs).
    for (const std::int64_t commonPrefixRuns : {std::int64_t{1'000'000}, std::int64_t{1}})
        for (const auto& c : cases)
            EXPECT_EQ(store::horseNameOffers(db, c.prefix, c.limit, commonPrefixRuns), c.expected)
                << c.prefix << " limit " << c.limit << " common from " << commonPrefixRuns;
}

TEST_F(NameOffers, StablesNewestRaceFirstThenByNameAndWhole) {
    const struct {
        const char* prefix;
        std::vector<std::string> expected;
    } cases[]{
        {"cRAN", {"crane farms", "Crane Stables", "Cranford & Sons Racing Partnership Ltd"}},
        {"Cranford & Sons Racing Partner", {"Cranford & Sons Racing Partnership Ltd"}},
        {"O'N", {"O'Neil's Yard"}},
        {"100%", {"100% Stables"}},
    };
    for (const auto& c : cases) EXPECT_EQ(store::ownerNameOffers(db, c.prefix, 12), c.expected) << c.prefix;
}

TEST_F(NameOffers, EachKindAsTypedInTheNameBox) {
    testing_support::writeBytes(folder / "breeding.txt",
                                "1,Swift Baron,3,C\n1,Painted Diamond,\n1,Sunny Piper,\n1,painted arrow,\n"
                                "5,Swift Arrow,2,F\n5,painted diamond,\n5,Pale Rider,\n5,Painted Lady,\n"
                                "9,Cut Short,4,C\n9,Paint Box,\n");
    progeny::BreedingNamesOfFile breeding;
    breeding.readAhead((folder / "breeding.txt").string());  // the first names read beside, the changed ones at once
    search::OfferSources sources{&db, &breeding, (folder / "breeding.txt").string()};
    const auto names = [&](search::OfferKind kind, const char* typed) {
        std::vector<std::string> found;
        for (const auto& offer : search::nameOffers(sources, kind, typed)) found.push_back(offer.name);
        return found;
    };
    using enum search::OfferKind;
    EXPECT_EQ(names(Sire, "pa"), (std::vector<std::string>{"Painted Diamond"}));  // one of either case, no cut group
    EXPECT_EQ(names(DamSire, "PA"), (std::vector<std::string>{"Pale Rider"}));
    EXPECT_EQ(names(DamsDamSire, "Pa"), (std::vector<std::string>{"painted arrow", "Painted Lady"}));
    // Typed past the 25 characters a horse's name is stored with.
    EXPECT_EQ(search::nameOffers(sources, Horse, "Bright Raider Of Bramley Hall"),
              (std::vector<search::NameOffer>{{"Bright Raider Of Bramley ", 11, 308}}));
    for (const char* typed : {"S", "\xC3\xA9", "Sw*", "S?"}) EXPECT_EQ(names(Horse, typed).size(), 0u) << typed;

    testing_support::writeBytes(folder / "breeding.txt", "1,Swift Baron,3,C\n1,Pale Rider,\n1,X,\n1,Y,\n");
    EXPECT_EQ(names(Sire, "pa"), (std::vector<std::string>{"Pale Rider"}));  // the changed file read again

    auto empty = store::Database::open(folder / "empty.mdb");
    EXPECT_EQ(store::horseNameOffers(empty, "sw", 12, 1).size(), 0u);
    EXPECT_EQ(store::ownerNameOffers(empty, "cr", 12).size(), 0u);
}

}  // namespace
