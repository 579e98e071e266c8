// SPDX-License-Identifier: MIT
#include "cli_runner.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::runCli;

const std::string kSamples = HARROWDEX_SAMPLES_DIR;

class CliImport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCli({"makedb", db}).status, 0); }
    std::string sample(const std::string& name) const { return kSamples + "/" + name; }

    testing_support::TestFolder folder;
    std::string db = (folder / "horses.mdb").string();
};

TEST_F(CliImport, ImportsInTheGivenOrderAndShowsProgress) {
    const auto result = runCli({"import", "--db", db, sample("raceout310.txt"), sample("raceout311.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("Import in Progress...\n310.0502\n"), std::string::npos) << result.err;
}

TEST_F(CliImport, ReplacingAWeekIsAnsweredNoUnlessYes) {
    ASSERT_EQ(runCli({"import", "--db", db, sample("raceout311.txt")}).status, 0);
    const auto declined = runCli({"import", "--db", db, sample("raceout311.txt")});
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(declined.err,
              "This week has already been entered into the database.  Do you wish to over-write all old data from "
              "this week?\nAnswered: No\nDatabase import cancelled at user request.\n");
    const auto agreed = runCli({"import", "--db", db, "--yes", sample("raceout311.txt")});
    EXPECT_EQ(agreed.status, 0);
    EXPECT_NE(agreed.err.find("Answered: Yes\nDeleting old records.\nPlease wait.\nImport in Progress...\n"),
              std::string::npos);
}

TEST_F(CliImport, FailureNamesTheFileAndEndsWithStatusOne) {
    testing_support::writeBytes(folder / "short.txt", "\"header\"\r\n*00001\r\n310.0501,\"x\"");
    const auto result = runCli({"import", "--db", db, (folder / "short.txt").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Import of short.txt was NOT completed.\nImport terminated.\n"), std::string::npos);
}

TEST_F(CliImport, MissingArgumentsAreAUsageError) {
    const auto result = runCli({"import", "--db", db});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Usage:"), std::string::npos);
}

}  // namespace
