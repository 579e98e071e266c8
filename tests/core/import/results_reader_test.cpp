// SPDX-License-Identifier: MIT
#include "import/race_conditions_classifier.h"
#include "samples.h"
#include "import/results_file_error.h"
#include "import/results_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

std::string sampleWeek(int week) {
    const auto path = std::filesystem::path(testing_support::kSamplesDir) / ("raceout" + std::to_string(week) + ".txt");
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<import::ParsedRace> readAll(std::string_view bytes, import::RaceConditionsClassifier& classifier) {
    import::ResultsReader reader(bytes, classifier);
    std::vector<import::ParsedRace> races;
    while (auto race = reader.nextRace()) races.push_back(std::move(*race));
    return races;
}

const import::ParsedRace& raceNumbered(const std::vector<import::ParsedRace>& races, double racenum) {
    for (const auto& race : races) {
        if (race.race.racenum == racenum) return race;
    }
    throw std::runtime_error("no race " + std::to_string(racenum));
}

struct SampleWeek {
    int week;
    std::size_t runs;
};

class ImportSampleWeek : public testing::TestWithParam<SampleWeek> {};

TEST_P(ImportSampleWeek, ReadsCompletely) {
    const std::string bytes = sampleWeek(GetParam().week);
    ASSERT_FALSE(bytes.empty());
    import::RaceConditionsClassifier classifier;
    import::ResultsReader reader(bytes, classifier);
    EXPECT_EQ(reader.week(), GetParam().week);
    std::size_t races = 0;
    std::size_t runs = 0;
    while (auto race = reader.nextRace()) {
        ++races;
        runs += race->runners.size();
        EXPECT_EQ(race->race.size, static_cast<int>(race->runners.size()));
        EXPECT_GT(race->race.racenum, GetParam().week);
        EXPECT_LT(race->race.racenum, GetParam().week + 1);
        for (std::size_t i = 0; i < race->runners.size(); ++i) EXPECT_EQ(race->runners[i].fin, static_cast<int>(i + 1));
    }
    EXPECT_EQ(races, 20u);
    EXPECT_EQ(runs, GetParam().runs);
    EXPECT_FALSE(reader.nextRace());  // stays done
}

INSTANTIATE_TEST_SUITE_P(Samples, ImportSampleWeek,
                         testing::Values(SampleWeek{310, 117}, SampleWeek{311, 129}, SampleWeek{312, 122}),
                         [](const auto& info) { return "Week" + std::to_string(info.param.week); });

// Whole rows worked out by hand from the sample text.
TEST(ImportSampleRows, FirstRaceOfWeek312) {
    import::RaceConditionsClassifier classifier;
    const auto races = readAll(sampleWeek(312), classifier);
    const import::ParsedRace& race = races.front();
    EXPECT_EQ(race.raceNumberAsRead, 312.0501);
    EXPECT_EQ(race.progressText, "312.0501");
    const store::RaceRow expected{312.0501, "T", "G3", "F", 11, 6, 167600, 0, "O-3"};
    EXPECT_EQ(race.race.racenum, expected.racenum);
    EXPECT_EQ(race.race.surf, expected.surf);
    EXPECT_EQ(race.race.restr, expected.restr);
    EXPECT_EQ(race.race.cond, expected.cond);
    EXPECT_EQ(race.race.dist, expected.dist);
    EXPECT_EQ(race.race.size, expected.size);
    EXPECT_EQ(race.race.purse, expected.purse);
    EXPECT_EQ(race.race.cprice, expected.cprice);
    EXPECT_EQ(race.race.age, expected.age);

    struct Runner {
        const char* hname;
        std::int64_t hid;
        int ppos;
        double sp;
        int start;
        double odds;
        const char* oname;
    };
    const Runner runners[] = {
        {"Lemon Diamond", 9948, 4, 92.86, 77, 0.1, "Webb, A."},
        {"Secret Rusty Blizzard", 45310, 2, 78.35, 74, 12.1, "Mason Racing"},
        {"Golden Gambler", 97400, 3, 77.45, 93, 31.3, "Fisher & Harris"},
        {"Silent King", 674047, 6, 71.23, 64, 3.9, "Cobalt Lance Stud"},
        {"Stormy Ember", 95865, 5, 69.33, 40, 18.1, "Russell Partners"},
        {"Carlisle Baron", 529769, 1, 63.08, 57, 45.9, "Cobalt Lance Stud"},
    };
    ASSERT_EQ(race.runners.size(), std::size(runners));
    for (std::size_t i = 0; i < race.runners.size(); ++i) {
        const store::RunnerRow& row = race.runners[i];
        SCOPED_TRACE(runners[i].hname);
        EXPECT_EQ(row.hname, runners[i].hname);
        EXPECT_EQ(row.hid, runners[i].hid);
        EXPECT_EQ(row.racenum, 312.0501);
        EXPECT_EQ(row.fin, static_cast<int>(i + 1));
        EXPECT_EQ(row.ppos, runners[i].ppos);
        EXPECT_EQ(row.sp, runners[i].sp);
        EXPECT_EQ(row.start, runners[i].start);
        EXPECT_EQ(row.odds, runners[i].odds);
        EXPECT_EQ(row.oname, runners[i].oname);
    }
}

TEST(ImportSampleRows, ChosenRacesOfWeek312) {
    import::RaceConditionsClassifier classifier;
    const auto races = readAll(sampleWeek(312), classifier);

    const auto& claiming = raceNumbered(races, 312.0502);
    EXPECT_EQ(claiming.race.restr, "MC");
    EXPECT_EQ(claiming.race.age, "O-3+");
    EXPECT_EQ(claiming.race.cprice, 2500);
    EXPECT_EQ(claiming.race.purse, 5800);
    const store::RunnerRow& steady = claiming.runners[3];
    EXPECT_EQ(steady.hname, "Steady Queen");
    EXPECT_EQ(steady.hid, 8555868);
    EXPECT_EQ(steady.ppos, 7);
    EXPECT_EQ(steady.sp, 79.36);
    EXPECT_EQ(steady.start, 74);
    EXPECT_EQ(steady.odds, 81.7);
    const store::RunnerRow& copper = claiming.runners[6];
    EXPECT_EQ(copper.hid, 58);
    EXPECT_EQ(copper.ppos, 3);
    EXPECT_EQ(copper.sp, 66);
    EXPECT_EQ(copper.odds, 90.9);
    EXPECT_EQ(copper.oname, "Wood, P.");

    const auto& allowance = raceNumbered(races, 312.1501);
    EXPECT_EQ(allowance.race.restr, "A2x");
    EXPECT_EQ(allowance.race.age, "O-2");
    EXPECT_EQ(allowance.race.cprice, 62500);
    EXPECT_EQ(allowance.race.dist, 11.5);
    EXPECT_EQ(allowance.runners[0].ppos, 1);  // horse 1: first digit 1 adds 1
    EXPECT_EQ(allowance.runners[0].odds, 0.3);
    EXPECT_EQ(allowance.runners[1].hname, "EXPRESS'S CANNON");
    EXPECT_EQ(allowance.runners[1].sp, 80);
    EXPECT_EQ(allowance.runners[1].odds, 1.9);

    // Written 312.301 in the file: index 3010, shown so while it is stored.
    const auto& handicap = raceNumbered(races, 312.301);
    EXPECT_EQ(handicap.progressText, "312.3010");
    EXPECT_EQ(handicap.race.restr, "Handicap");
    EXPECT_EQ(handicap.race.age, "F-3+");
    EXPECT_EQ(handicap.race.cprice, 0);
    const double sp[] = {80.8, 74.39, 74.1, 72.12, 61.58, 57.48};
    const double odds[] = {1.0, 5.8, 5.2, 1.7, 33.7, 34.2};
    const int ppos[] = {6, 5, 4, 1, 2, 3};
    ASSERT_EQ(handicap.runners.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(handicap.runners[i].sp, sp[i]) << i;
        EXPECT_EQ(handicap.runners[i].odds, odds[i]) << i;
        EXPECT_EQ(handicap.runners[i].ppos, ppos[i]) << i;
    }
    EXPECT_EQ(handicap.runners[4].hname, "Crimson Queen Of Wetherby");
    EXPECT_EQ(handicap.runners[4].hid, 531);
}

TEST(ImportSampleRows, NonWinnerCountCarriesOverWithinWeek310) {
    import::RaceConditionsClassifier classifier;
    const auto races = readAll(sampleWeek(310), classifier);
    // "Non-Winners of a race except maiden." names no count: TWO of 310.1501 still holds.
    const auto& race = raceNumbered(races, 310.1503);
    EXPECT_EQ(race.race.restr, "C2x");
    EXPECT_EQ(race.race.cprice, 25000);
    EXPECT_EQ(race.race.purse, 12849);
    EXPECT_EQ(race.runners[1].hname, "Maple Fox");
    EXPECT_EQ(race.runners[1].ppos, 3);
    EXPECT_EQ(race.runners[1].sp, 76.06);
    EXPECT_EQ(race.runners[1].odds, 61.7);
    EXPECT_EQ(race.runners[2].ppos, 2);
    EXPECT_EQ(race.runners[2].sp, 69.08);
    EXPECT_EQ(race.runners[2].odds, 73.8);
    EXPECT_EQ(race.runners[2].start, 73);
}

TEST(ImportSampleRows, ClaimingRaceWithCpuValueOfWeek311) {
    import::RaceConditionsClassifier classifier;
    const auto races = readAll(sampleWeek(311), classifier);
    const auto& race = raceNumbered(races, 311.3001);
    EXPECT_EQ(race.race.restr, "Clm");
    EXPECT_EQ(race.race.age, "O-2");
    EXPECT_EQ(race.runners[0].sp, 103.83);
    EXPECT_EQ(race.runners[0].odds, 0.5);
    EXPECT_EQ(race.runners[0].ppos, 3);
}

TEST(ImportSampleRows, OneClassifierServesSeveralFiles) {
    import::RaceConditionsClassifier classifier;
    readAll(sampleWeek(310), classifier);
    const std::int16_t afterFirst = classifier.nonWinnerCount();
    EXPECT_NE(afterFirst, 0);
    const std::string noCountWord =
        "\"h\"\r\n*1\r\n313.0101,\"T\",\"Dirt\",\"Fast\",6,0,\"\"\r\n"
        "\"Allowance\",\"\",\"\",\"$1\",\"All 3 year olds. Non-Winners of a race except maiden.\"\r\n*99999\r\n";
    const auto races = readAll(noCountWord, classifier);
    EXPECT_EQ(races.at(0).race.restr, "A" + std::to_string(afterFirst) + "x");
}

// The import checks the week before the rest of the first race is read: a file whose
// first race breaks off after its first record still gives its race number.
TEST(ImportResultsReader, GivesTheFirstRaceNumberBeforeReadingOn) {
    const std::string bytes = "\"h\"\r\n*1\r\n312.0507,\"T\",\"Dirt\",\"Fast\",6,1,\"x\"\r\n";
    import::RaceConditionsClassifier classifier;
    import::ResultsReader reader(bytes, classifier);
    EXPECT_EQ(reader.firstRaceNumber(), 312.0507);
    EXPECT_EQ(reader.week(), 312);
    EXPECT_THROW(reader.nextRace(), import::ResultsFileError);
    EXPECT_THROW(reader.nextRace(), import::ResultsFileError);  // and stays failed
}

// Such bytes are read as Latin-1 characters, one each, and stored as UTF-8.
TEST(ImportResultsReader, CountsInvalidUtf8NameBytesAsCharacters) {
    const std::string name = "\xff\xfe" + std::string(28, 'x');
    const std::string bytes = "\"h\"\r\n*1\r\n312.0501,\"T\",\"Dirt\",\"Fast\",6,1,\"x\"\r\n"
                              "\"Stakes\",\"0\",\"\",\"$1\",\"All 3 year olds.\"\r\n\"" +
                              name + "\",1\r\n80,0.5,0,0,0,0,0,0,0.5,-45,\"\",\"\xc3\"\r\n*99999";
    import::RaceConditionsClassifier classifier;
    const auto races = readAll(bytes, classifier);
    ASSERT_EQ(races.size(), 1u);
    EXPECT_EQ(races[0].runners.at(0).hname, "\xc3\xbf\xc3\xbe" + std::string(23, 'x'));
    EXPECT_EQ(races[0].runners.at(0).oname, "\xc3\x83");
}

}  // namespace
