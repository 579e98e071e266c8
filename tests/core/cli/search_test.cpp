// SPDX-License-Identifier: MIT
#include "cli_sample_store.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using testing_support::runCli;

using testing_support::kSamplesDir;

class CliSearch : public testing_support::CliSampleStore {};

TEST_F(CliSearch, CsvIsTheExportOfTheListing) {
    const auto result = runCli({"search", "--db", db, "--horse", "Black Dasher", "--today", "2000-03-12"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string header =
        "\"Name\",\"H.ID.\",\"Race #\",\"Age\",\"Tr\",\"Typ\",\"Dis\",\"S\",\"Sp\",\"PL\",\"FD\",\"PP\",\"Purse\","
        "\"Odds\",\"Earn.\",\"Owner\",\"Clm\",\"St\",\r\n";
    EXPECT_EQ(result.out.substr(0, header.size()), header);
    EXPECT_NE(result.out.find("\"Black Dasher\",\"742503\",\"312.3006\",\"F-2\",\"\",\"C4y\",\"6\",\"T\",\"60.9\","
                              "\"5\",\"6\",\"5\",\"39300\",\"99.90\",\"786\",\"Reid Thoroughbreds\",\"25000\",\"42\","
                              "\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 7);
}

TEST_F(CliSearch, JsonIsTheWholeWindowState) {
    const auto result = runCli({"search", "--db", db, "--owner", "Reid Thoroughbreds", "--today", "2000-03-12",
                                "--format", "json", "--threshold", "60"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto state = nlohmann::json::parse(result.out);
    EXPECT_EQ(state["grid"][0][0], "Name");
    EXPECT_EQ(state["grid"].size(), state["rowColors"].size());
    EXPECT_TRUE(state["rowColors"][0].is_null());
    EXPECT_EQ(state["rowColors"][1].get<std::string>().size(), 7u);
    EXPECT_EQ(state["caption"].get<std::string>().rfind("Statistics for Reid Thoroughbreds;", 0), 0u);
    EXPECT_EQ(state["status"].get<std::string>().rfind("Statistics for Reid Thoroughbreds\rEarnings = $", 0), 0u);
    EXPECT_EQ(state["MSFWGrid"][0][9], "Max");
    EXPECT_EQ(state["MSFSGrid"][4][0], "Total");
}

TEST_F(CliSearch, SeveralOwnersAreTheSpecialStableSearch) {
    const auto result = runCli({"search", "--db", db, "--owner", "Team Young", "--owner", "Harrow Bloodstock, Ltd.",
                                "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["caption"].get<std::string>().rfind(
                  "Statistics for Special: Team Young;", 0),
              0u);
}

TEST_F(CliSearch, BoundsAndKinds) {
    auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
    EXPECT_EQ(lines(runCli({"search", "--db", db, "--horse", "Black Dasher", "--first-week", "311", "--last-week",
                            "311"})
                        .out),
              4);
    EXPECT_EQ(lines(runCli({"search", "--db", db, "--horse", "Western Jewel", "--current-owner"}).out), 2);
    EXPECT_EQ(lines(runCli({"search", "--db", db, "--id", "742503"}).out), 7);
    EXPECT_EQ(lines(runCli({"search", "--db", db, "--horse", "Breeze's Dasher", "--id", "811426"}).out), 3);
    EXPECT_EQ(lines(runCli({"search", "--db", db, "--race", "312.0501"}).out), 7);
}

TEST_F(CliSearch, MessagesAndUsage) {
    const auto none = runCli({"search", "--db", db, "--horse", "Nobody At All"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "No horses under the search criteria were found.\n");
    EXPECT_EQ(none.out, "");
    // Weeks between two runs, and bounds the wrong way round, find nothing alike.
    for (const auto& [first, last] : {std::pair{"311", "311"}, std::pair{"312", "310"}}) {
        const auto between =
            runCli({"search", "--db", db, "--horse", "Velvet Hawk", "--first-week", first, "--last-week", last});
        EXPECT_EQ(between.status, 1) << first << "-" << last;
        EXPECT_EQ(between.err, none.err);
    }
    EXPECT_EQ(runCli({"search", "--db", db}).status, 2);
    EXPECT_EQ(runCli({"search", "--db", db, "--horse", "A", "--race", "1.1"}).status, 2);
    EXPECT_EQ(runCli({"search", "--db", db, "--horse", "A", "--format", "xml"}).status, 2);
    EXPECT_EQ(runCli({"search", "--db", db, "--horse", "A", "--today", "2000-02-30"}).status, 2);
}

}  // namespace
