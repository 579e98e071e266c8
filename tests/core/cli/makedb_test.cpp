// SPDX-License-Identifier: MIT
#include "program_runner.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

using namespace testing_support;

namespace {

TEST(CliMakedbTest, CreatesAnEmptyRaceStore) {
    TestFolder folder;
    const auto store = folder / "horses.mdb";
    const ProgramResult result = runCli({"makedb", store.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(store::raceStoreProblem(store), std::nullopt);
}

TEST(CliMakedbTest, RefusesAnExistingFileWithAMessage) {
    TestFolder folder;
    const auto store = folder / "horses.mdb";
    writeBytes(store, "keep me");
    const ProgramResult result = runCli({"makedb", store.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("horses.mdb\" already exists"));
    EXPECT_EQ(readBytes(store), "keep me");
}

TEST(CliMakedbTest, MissingArgumentIsAUsageError) {
    const ProgramResult result = runCli({"makedb"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Usage: harrowdex-cli makedb"));

    const ProgramResult none = runCli({});
    EXPECT_EQ(none.status, 2);
    EXPECT_THAT(none.err, HasSubstr("Usage: harrowdex-cli"));
}

}  // namespace
