// SPDX-License-Identifier: MIT
#include "cli_sample_store.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

namespace {

using testing_support::runCli;

using testing_support::kSamplesDir;

class CliCrosses : public testing_support::CliSampleStore {};

// The figures themselves are pinned by the cross table's own test; here the two formats
// and the ending on a damaged line.
TEST_F(CliCrosses, CsvIsTheWindowsTableAndJsonItsRowsInTheSameOrder) {
    const std::vector<std::string> args{
        "crosses",   "--db",           db, "--breeding", kSamplesDir + "/breeding.txt", "--sire",
        "IRON DUKE", "--min-starters", "1"};
    const auto csv = runCli(args);
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::string header =
        "Dam-Sire,Offspring,Starters,Winners,Wins,Starts,Winners %,Wins %,Best Dirt,Avg "
        "Dirt,Best Turf,Avg Turf,Earnings/Starter,Index\r\n";
    ASSERT_EQ(csv.out.substr(0, header.size()), header);

    auto withJson = args;
    withJson.insert(withJson.end(), {"--format", "json"});
    const auto json = runCli(withJson);
    ASSERT_EQ(json.status, 0) << json.err;
    const auto rows = nlohmann::json::parse(json.out)["rows"];
    ASSERT_EQ(static_cast<long>(rows.size()), std::count(csv.out.begin(), csv.out.end(), '\n') - 1);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_GE(rows[0]["starters"], rows[1]["starters"]);
    const auto firstRow = csv.out.substr(header.size(), csv.out.find('\r', header.size()) - header.size());
    EXPECT_EQ(firstRow.substr(0, firstRow.find(',')), rows[0]["name"]);
    for (const char* key : {"name", "offspring", "starters", "winners", "wins", "starts", "winnersPct", "winPct",
                            "bestDirt", "bestTurf", "avgBestDirt", "avgBestTurf", "earningsPerStarter", "index"})
        EXPECT_TRUE(rows[0].contains(key)) << key;
}

TEST_F(CliCrosses, DamagedBreedingLinePrintsTheRowsBeforeItAndTheMessage) {
    const auto result = runCli({"crosses", "--db", db, "--breeding", kSamplesDir + "/breeding_bad.txt", "--sire",
                                "Broken Promise", "--format", "json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "There was an error with horse 9945469.  Check the breeding.txt file.\n");
    const auto rows = nlohmann::json::parse(result.out)["rows"];
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["name"], "Cracked Bell");
    EXPECT_EQ(rows[0]["index"], nullptr);
}

TEST_F(CliCrosses, UsageErrorsAreStatusTwo) {
    const std::string breeding = kSamplesDir + "/breeding.txt";
    EXPECT_EQ(runCli({"crosses", "--db", db, "--breeding", breeding}).status, 2);
    EXPECT_EQ(runCli({"crosses", "--db", db, "--breeding", breeding, "--sire", "A", "--ages", "3yo"}).status, 2);
    EXPECT_EQ(runCli({"crosses", "--db", db, "--breeding", breeding, "--sire", "A", "--min-starters", "-1"}).status, 2);
}

// As progeny: --dam-sire, and the breeding file under the home folder by default.
TEST_F(CliCrosses, TakesTheProgenyOptionsSpelling) {
    testing_support::TestFolder home;
    std::filesystem::create_directories(home / "enr");
    std::filesystem::copy_file(kSamplesDir + "/breeding.txt", home / "enr" / "breeding.txt");
    const auto named = runCli({"crosses", "--db", db, "--breeding", kSamplesDir + "/breeding.txt", "--damsire",
                               "IRON DUKE", "--min-starters", "1"});
    ASSERT_EQ(named.status, 0) << named.err;
    const auto byDefault =
        testing_support::runProgram("env", {"HOME=" + home.path().string(), HARROWDEX_CLI_PATH, "crosses", "--db", db,
                                            "--dam-sire", "IRON DUKE", "--min-starters", "1"});
    EXPECT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.out, named.out);
}

}  // namespace
