// SPDX-License-Identifier: MIT
#include "cli_sample_store.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using testing_support::runCli;

class CliNames : public testing_support::CliSampleStore {};

TEST_F(CliNames, HorsesCarryNumberAndWeekStablesOnlyTheName) {
    auto result = runCli({"names", "--db", db, "--horse", "s", "--format", "json"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("two characters or more"), std::string::npos) << result.err;
    EXPECT_EQ(runCli({"names", "--db", db, "--horse", "--owner", "Sm"}).status, 2);

    result = runCli({"names", "--db", db, "--horse", "sT", "--limit", "3", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto horses = nlohmann::json::parse(result.out)["names"];
    ASSERT_EQ(horses.size(), 3u) << result.out;
    EXPECT_EQ(horses[0].size(), 3u);
    EXPECT_GE(horses[0]["lastWeek"].get<int>(), horses[2]["lastWeek"].get<int>());

    result = runCli({"names", "--db", db, "--owner", "ZZ*", "--format", "json"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(nlohmann::json::parse(result.out), nlohmann::json::parse(R"({"names": []})"));
    result = runCli({"names", "--db", db, "--sire", "Ir", "--breeding", (*folder_ / "none.txt").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("There is no such file."), std::string::npos) << result.err;
}

}  // namespace
