// SPDX-License-Identifier: MIT
#include "program_runner.h"
#include "samples.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::runCli;

using testing_support::kSamplesDir;

class CliImport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCli({"makedb", db}).status, 0); }
    std::string sample(const std::string& name) const { return kSamplesDir + "/" + name; }

    testing_support::TestFolder folder;
    std::string db = (folder / "horses.mdb").string();
};

// Away from a terminal, one line for each file once it is stored; none with --quiet.
TEST_F(CliImport, ImportsInTheGivenOrderWithOneLinePerFile) {
    const auto result = runCli({"import", "--db", db, sample("raceout310.txt"), sample("raceout311.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Importing raceout310.txt (file 1 of 2): 20 races stored\n"
              "Importing raceout311.txt (file 2 of 2): 20 races stored\n");
    const auto quiet = runCli({"import", "--db", db, "--quiet", "--yes", sample("raceout312.txt")});
    EXPECT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    EXPECT_NE(runCli({"weeks", "--db", db}).out.find("312"), std::string::npos);
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
    EXPECT_EQ(agreed.err,
              "This week has already been entered into the database.  Do you wish to over-write all old data from "
              "this week?\nAnswered: Yes\nImporting raceout311.txt (file 1 of 1): 20 races stored\n");
}

TEST_F(CliImport, FailureNamesTheFileAndEndsWithStatusOne) {
    testing_support::writeBytes(folder / "short.txt", "\"header\"\r\n*00001\r\n310.0501,\"x\"");
    const auto result = runCli({"import", "--db", db, (folder / "short.txt").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Import of short.txt was NOT completed.\nImport terminated.\nLine 3: file ends early.\n");
}

TEST_F(CliImport, MissingArgumentsAreAUsageError) {
    const auto result = runCli({"import", "--db", db});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Usage:"), std::string::npos);
}

}  // namespace
