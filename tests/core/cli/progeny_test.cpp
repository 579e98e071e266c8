// SPDX-License-Identifier: MIT
#include "cli_sample_store.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

using testing_support::runCli;

using testing_support::kSamplesDir;
const std::string kBreeding = kSamplesDir + "/breeding.txt";

class CliProgeny : public testing_support::CliSampleStore {};

TEST_F(CliProgeny, CsvIsTheExportOfEighteenOfTheNineteenColumns) {
    const auto result = runCli({"progeny", "--db", db, "--breeding", kBreeding, "--dam-sire", "Old Crown"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string header = "\"Horse Name\",\"H.ID.\",\"Sire\",\"Dam-Dam-Sire\",\"Y\",\"Sx\",\"#\",\"M\",\"Al\","
                               "\"Sk\",\"Gr\",\"<8\",\"<=9\",\"<11\",\"11+\",\"<8\",\"<=9\",\"<11\",\r\n";
    EXPECT_EQ(result.out.substr(0, header.size()), header);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 19);
}

TEST_F(CliProgeny, JsonAddsTheTwoTablesAndTheFastestLabel) {
    const auto result = runCli({"progeny", "--db", db, "--breeding", kBreeding, "--sire", "IRON DUKE", "--starts",
                                "1", "--two-year-olds", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto state = nlohmann::json::parse(result.out);
    EXPECT_EQ(state["grid"][0].size(), 19u);
    EXPECT_EQ(state["caption"], "Statistics for Progeny of Iron Duke  (45).");
    EXPECT_EQ(state["fastest"], "Fastest progeny? Avon Princess - 104");
    EXPECT_EQ(state["MSFSRGrid"][3][6], "8");
    EXPECT_EQ(state["MSFmaxgrid"][4][5], "104");
    EXPECT_FALSE(state.contains("MSFWGrid"));
}

TEST_F(CliProgeny, BreedingFileProblemsEndWithTheMessageAndStatusOne) {
    auto result =
        runCli({"progeny", "--db", db, "--breeding", kSamplesDir + "/breeding_bad.txt", "--sire", "Broken Promise"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "There was an error with horse 9945469.  Check the breeding.txt file.\n");
    EXPECT_TRUE(result.out.empty());
    result = runCli({"progeny", "--db", db, "--breeding", (*folder_ / "none.txt").string(), "--sire", "Iron Duke"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("could not be read.  Check the breeding.txt file.\nThere is no such file.\n"),
              std::string::npos);
    result = runCli({"progeny", "--db", db, "--breeding", folder_->path().string(), "--sire", "Iron Duke"});
    EXPECT_NE(result.err.find("\nIt is not a regular file.\n"), std::string::npos) << result.err;
}

TEST_F(CliProgeny, UsageErrorsAreStatusTwo) {
    EXPECT_EQ(runCli({"progeny", "--db", db, "--sire", "A", "--dam-sire", "B"}).status, 2);
    EXPECT_EQ(runCli({"progeny", "--db", db}).status, 2);
    EXPECT_EQ(runCli({"progeny", "--db", db, "--sire", "A", "--starts", "five"}).status, 2);
}

}  // namespace
