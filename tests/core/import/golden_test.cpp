// SPDX-License-Identifier: MIT
// Golden cases: every folder under data/import holds a results file `input.txt` and the
// rows expected from it, `expected.json`:
//   "firstRaceNumber", "week"    as the reader gives them (absent when reading them fails)
//   "races"                      every race given before the end or the failure, whole:
//                                tblraces fields, "progress", and "runners" (tblhorsedata
//                                fields but racenum, which must equal the race's)
//   "error"                      a text that the failure's reason contains, when it fails
//   "startNonWinnerCount", "nonWinnerCount"   the classifier's count before and after
// A new regression case is a folder drop.
#include "import/race_conditions_classifier.h"
#include "import/results_file_error.h"
#include "import/results_reader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path kCasesDir = fs::path(HARROWDEX_TEST_DATA_DIR) / "import";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCasesDir)) {
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void expectRace(const json& expected, const import::ParsedRace& parsed, const std::string& where) {
    const store::RaceRow& race = parsed.race;
    SCOPED_TRACE(where);
    EXPECT_EQ(race.racenum, expected.at("racenum").get<double>());
    EXPECT_EQ(parsed.progressText, expected.at("progress").get<std::string>());
    EXPECT_EQ(race.surf, expected.at("surf").get<std::string>());
    EXPECT_EQ(race.restr, expected.at("restr").get<std::string>());
    EXPECT_EQ(race.cond, expected.at("cond").get<std::string>());
    EXPECT_EQ(static_cast<float>(race.dist), expected.at("dist").get<float>());  // a single
    EXPECT_EQ(race.size, expected.at("size").get<int>());
    EXPECT_EQ(race.purse, expected.at("purse").get<std::int64_t>());
    EXPECT_EQ(race.cprice, expected.at("cprice").get<std::int64_t>());
    EXPECT_EQ(race.age, expected.at("age").get<std::string>());
    const json& runners = expected.at("runners");
    ASSERT_EQ(parsed.runners.size(), runners.size());
    for (std::size_t i = 0; i < runners.size(); ++i) {
        const store::RunnerRow& runner = parsed.runners[i];
        const json& want = runners[i];
        SCOPED_TRACE("runner " + std::to_string(i + 1));
        EXPECT_EQ(runner.hname, want.at("hname").get<std::string>());
        EXPECT_EQ(runner.hid, want.at("hid").get<std::int64_t>());
        EXPECT_EQ(runner.racenum, race.racenum);
        EXPECT_EQ(runner.fin, want.at("fin").get<int>());
        EXPECT_EQ(runner.ppos, want.at("ppos").get<int>());
        EXPECT_EQ(runner.sp, want.at("sp").get<double>());
        EXPECT_EQ(runner.start, want.at("start").get<int>());
        EXPECT_EQ(runner.odds, want.at("odds").get<double>());
        EXPECT_EQ(runner.oname, want.at("oname").get<std::string>());
    }
}

class ImportGoldenCase : public testing::TestWithParam<std::string> {};

TEST_P(ImportGoldenCase, GivesTheExpectedRows) {
    const fs::path folder = kCasesDir / GetParam();
    const std::string input = readFile(folder / "input.txt");
    const json expected = json::parse(readFile(folder / "expected.json"));

    import::RaceConditionsClassifier classifier(expected.value("startNonWinnerCount", std::int16_t{0}));
    import::ResultsReader reader(input, classifier);
    std::vector<import::ParsedRace> races;
    std::optional<std::string> error;
    try {
        const double first = reader.firstRaceNumber();
        EXPECT_EQ(first, expected.at("firstRaceNumber").get<double>());
        EXPECT_EQ(reader.week(), expected.at("week").get<int>());
        while (auto race = reader.nextRace()) races.push_back(std::move(*race));
    } catch (const import::ResultsFileError& failure) {
        error = failure.what();
    }

    if (expected.contains("error")) {
        ASSERT_TRUE(error) << "the file was read to its end";
        EXPECT_NE(error->find(expected["error"].get<std::string>()), std::string::npos) << *error;
    } else {
        EXPECT_FALSE(error) << *error;
    }
    const json& expectedRaces = expected.value("races", json::array());
    ASSERT_EQ(races.size(), expectedRaces.size());
    for (std::size_t i = 0; i < races.size(); ++i) {
        expectRace(expectedRaces[i], races[i], "race " + std::to_string(i + 1));
    }
    if (expected.contains("nonWinnerCount")) {
        EXPECT_EQ(classifier.nonWinnerCount(), expected["nonWinnerCount"].get<int>());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportGoldenCase, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
