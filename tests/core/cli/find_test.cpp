// SPDX-License-Identifier: MIT
#include "cli_sample_store.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using testing_support::runCli;

class CliFind : public testing_support::CliSampleStore {};

TEST_F(CliFind, JsonRowsAreNewestLastRunFirstAndFitTheCriteria) {
    const auto result = runCli(
        {"find", "--db", db, "--surface", "dirt", "--min-speed", "60", "--today", "2000-03-12", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto found = nlohmann::json::parse(result.out);
    ASSERT_GT(found["count"].get<int>(), 1);
    const auto& rows = found["rows"];
    EXPECT_EQ(rows.size(), found["count"].get<std::size_t>());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_GE(rows[i]["speed"].get<double>(), 60.0);
        EXPECT_GE(rows[i]["starts"].get<int>(), 1);
        if (i == 0) continue;
        const auto& a = rows[i - 1];
        const auto& b = rows[i];
        EXPECT_TRUE(a["lastWeek"] > b["lastWeek"] || (a["lastWeek"] == b["lastWeek"] && a["id"] < b["id"]));
    }
    // Every key of a row, as documented.
    for (const char* key : {"id", "name", "owner", "lastWeek", "starts", "wins", "places", "shows", "earnings",
                            "bestDirt", "bestTurf", "speed", "flatBetReturn", "claimingTag"})
        EXPECT_TRUE(rows[0].contains(key)) << key;
}

TEST_F(CliFind, CompareGivesOneObjectPerHorseAndCsvHasCaptions) {
    const auto found = nlohmann::json::parse(runCli({"find", "--db", db, "--format", "json"}).out);
    ASSERT_GE(found["rows"].size(), 2u);
    const std::string first = std::to_string(found["rows"][0]["id"].get<std::int64_t>());
    const std::string second = std::to_string(found["rows"][1]["id"].get<std::int64_t>());
    const auto json = runCli({"compare", "--db", db, "--id", first, "--id", second, "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto horses = nlohmann::json::parse(json.out)["horses"];
    ASSERT_EQ(horses.size(), 2u);
    EXPECT_EQ(horses[0]["H.ID."], first);
    EXPECT_TRUE(horses[1].contains("Flat Bet %"));
    EXPECT_TRUE(horses[1].contains("Fits (turf)"));
    const auto met = nlohmann::json::parse(json.out)["headToHead"];
    ASSERT_EQ(met.size(), 1u);
    EXPECT_EQ(met[0]["first"].get<std::int64_t>(), std::stoll(first));
    EXPECT_LE(met[0]["firstAhead"].get<int>(), met[0]["races"].get<int>());
    const auto csv = runCli({"compare", "--db", db, "--id", first, "--id", second});
    EXPECT_EQ(csv.out.rfind("Name,", 0), 0u);
    const auto table = runCli({"find", "--db", db});
    EXPECT_EQ(table.out.rfind("Name,H.ID.,Owner,Last Week,Class,Clm,Starts,Wins,", 0), 0u);
}

// The par table's JSON keys, and a placed horse's fits, each within the table with its margin.
TEST_F(CliFind, ParsJsonHoldsTheTableAndThePlacedHorsesFits) {
    const auto found = nlohmann::json::parse(runCli({"find", "--db", db, "--format", "json"}).out);
    const std::string id = std::to_string(found["rows"][0]["id"].get<std::int64_t>());
    const auto result = runCli({"pars", "--db", db, "--min-races", "1", "--id", id, "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto pars = nlohmann::json::parse(result.out);
    ASSERT_FALSE(pars["pars"].empty());
    for (const char* key : {"class", "claim", "surface", "races", "par", "board"})
        EXPECT_TRUE(pars["pars"][0].contains(key)) << key;
    EXPECT_EQ(pars["horse"]["id"].get<std::int64_t>(), std::stoll(id));
    for (const auto& fit : pars["fits"]) EXPECT_GE(fit["margin"].get<double>(), 0.0);
    const auto csv = runCli({"pars", "--db", db, "--id", id});
    EXPECT_EQ(csv.out.rfind("Class,Claim,Surface,Races,Par,Board,Form,Margin\r\n", 0), 0u) << csv.out;
}

TEST_F(CliFind, BadInputIsRefusedWithAMessage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"find", "--db", db, "--active-weeks", "0"}, 2, "The number of weeks must be 1 or more."},
        {{"find", "--db", db, "--last", "0"}, 2, "The number of runs must be 1 or more."},
        {{"find", "--db", db, "--min-dist", "9", "--max-dist", "8"}, 2, "must not be less than"},
        {{"compare", "--db", db, "--id", "1"}, 1, "Choose two to four horses to compare."},
        {{"compare", "--db", db, "--id", "999999999", "--id", "2"}, 1, "No horse has the number 999999999."},
        // Values that are not numbers of the option's kind are usage errors.
        {{"find", "--db", db, "--min-speed", "nan"}, 2, "\"nan\" is not a number"},
        {{"find", "--db", db, "--max-dist", "inf"}, 2, "\"inf\" is not a number"},
        {{"find", "--db", db, "--active-weeks", "4x"}, 2, "\"4x\" is not a whole number"},
        {{"find", "--db", db, "--max-claim", "99999999999999999999"}, 2, "is out of range"},
        {{"compare", "--db", db, "--id", "9223372036854775808", "--id", "2"}, 2, "is out of range"},
        {{"compare", "--db", db, "--id", "", "--id", "2"}, 2, "\"\" is not a whole number"},
        {{"remove-weeks", "--db", db, "3.5"}, 2, "\"3.5\" is not a whole number"},
        {{"watch", "--db", db, "--add-horse", "0x10"}, 2, "is not a whole number"},
        {{"search", "--db", db, "--horse", "A", "--threshold", "nan"}, 2, "--threshold: \"nan\" is not a number"},
        {{"search", "--db", db, "--horse", "A", "--threshold", "1e12"}, 2, "--threshold: \"1e12\" is out of range"},
        {{"search", "--db", db, "--horse", "A", "--first-week", "99999"},
         2,
         "--first-week: \"99999\" is out of range: from -32768 to 32767"},
        {{"search", "--db", db, "--horse", "A", "--last-week", "310x"},
         2,
         "--last-week: \"310x\" is not a whole number"},
        {{"crosses", "--db", db, "--sire", "A", "--min-starters", "-1"}, 2, "--min-starters: must be 0 or more"},
        {{"pars", "--db", db, "--min-races", "-1"}, 2, "--min-races: must be 0 or more"},
        {{"pars", "--db", db, "--surface", "mud"}, 2, "--surface: mud not in {dirt,turf}"},
        {{"pars", "--db", db, "--id", "999999999"}, 1, "The race store holds no run of horse 999999999."},
        {{"serch", "--db", db, "--horse", "A"}, 2, "\"serch\" is not a command; did you mean search?"},
    };
    for (const auto& test : cases) {
        const auto result = runCli(test.args);
        EXPECT_EQ(result.status, test.status) << test.message;
        EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
    }
}

TEST(CliFindEmptyStore, SaysTheStoreHoldsNoRaces) {
    testing_support::TestFolder folder;
    const std::string db = (folder / "empty.mdb").string();
    ASSERT_EQ(runCli({"makedb", db}).status, 0);
    const auto result = runCli({"find", "--db", db});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("The race store holds no races."), std::string::npos) << result.err;
}

}  // namespace
