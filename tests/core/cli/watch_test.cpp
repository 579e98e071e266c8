// SPDX-License-Identifier: MIT
#include "program_runner.h"
#include "samples.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using testing_support::runCli;

using testing_support::kSamplesDir;

class CliWatch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli({"makedb", db}).status, 0);
        ASSERT_EQ(
            runCli({"import", "--db", db, kSamplesDir + "/raceout310.txt", kSamplesDir + "/raceout311.txt"}).status, 0);
    }
    testing_support::ProgramResult watch(std::vector<std::string> args) {
        args.insert(args.begin(), {"watch", "--db", db, "--today", "2026-12-07"});
        return runCli(args);
    }

    testing_support::TestFolder folder;
    std::string db = (folder / "horses.mdb").string();
};

TEST_F(CliWatch, ChangesPrintTheWholeListAndImportSaysWhoRan) {
    auto result = watch({"--add-horse", "5426737", "--note", "tab\there, \"quoted\"\nnext line"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "Name,H.ID.,Owner,Last Week,Race,Fin,Speed,Runs Since Added,Note,Added\r\n"
              "Storm Scarlet Arrow,5426737,\"Webb, A.\",311,311.0501,1,85.5,0,"
              "\"tab\there, \"\"quoted\"\"\nnext line\",2026-12-07\r\n\r\n"
              "Name,Runs Newest Week,Wins Newest Week,Note,Added\r\n");
    ASSERT_EQ(watch({"--add-stable", "WEBB, A.", "--note", "rival"}).status, 0);

    result = runCli({"import", "--quiet", "--db", db, kSamplesDir + "/raceout312.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1 watched horse ran; 1 won. 1 watched stable ran; 1 won.\n");

    result = watch({"--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out),
              nlohmann::json::parse(R"({"horses": [{"id": 5426737, "name": "Storm Scarlet Arrow", "owner": "Webb, A.",
                 "lastWeek": 312, "lastRace": 312.0503, "lastFinish": 1, "lastSpeed": 85.0, "runsSinceAdded": 1,
                 "note": "tab\there, \"quoted\"\nnext line", "added": "2026-12-07"}],
                 "stables": [{"name": "Webb, A.", "runsNewestWeek": 3, "winsNewestWeek": 2, "note": "rival",
                 "added": "2026-12-07"}]})"));

    result = watch({"--remove-stable", "webb, a.", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(nlohmann::json::parse(result.out)["stables"].empty());
}

TEST_F(CliWatch, RefusalsEndWithAMessage) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"--add-horse", "999999999"},
         1,
         "There is no horse number 999999999 in the race store. The watch list is unchanged.\n"},
        {{"--add-stable", "Nobody"},
         1,
         "There is no stable \"Nobody\" in the race store. The watch list is unchanged.\n"},
        {{"--remove-horse", "5426737"}, 1, "Horse number 5426737 is not on the watch list.\n"},
        {{"--note", "alone"}, 2, ""},
        {{"--add-horse", "5426737", "--remove-horse", "5426737"}, 2, ""},
        {{"--import", "list.json", "--add-horse", "5426737"}, 2, ""},
        {{"--export", (folder / "list.json").string(), "--note", "alone"}, 2, ""},
    };
    for (const auto& c : cases) {
        const auto result = watch(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[0];
        EXPECT_EQ(result.out, "");
        if (!c.err.empty()) { EXPECT_EQ(result.err, c.err); }
    }
    EXPECT_EQ(runCli({"watch", "--db", (folder / "none.mdb").string()}).status, 1);
}

// --export and --import print what they did; the list goes to a store of other weeks.
TEST_F(CliWatch, ExportAndImportCarryTheListToAnotherStore) {
    ASSERT_EQ(watch({"--add-horse", "4289", "--note", "dam line"}).status, 0);
    ASSERT_EQ(watch({"--add-stable", "Webb, A."}).status, 0);
    const std::string file = (folder / "list.json").string();
    auto result = watch({"--export", file});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Horses exported: 1. Stables exported: 1.\n");

    const std::string other = (folder / "other.mdb").string();
    ASSERT_EQ(runCli({"makedb", other}).status, 0);
    ASSERT_EQ(runCli({"import", "--db", other, kSamplesDir + "/raceout312.txt"}).status, 0);
    result = runCli({"watch", "--db", other, "--import", file, "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out), nlohmann::json::parse(R"({"added": {"horses": 0, "stables": 1},
        "notesJoined": 0, "leftOut": {"horses": [{"id": 4289, "name": "Avon Princess"}], "stables": []},
        "notesCut": {"horses": [], "stables": []}})"));
    EXPECT_EQ(runCli({"watch", "--db", other, "--import", (folder / "none.json").string()}).status, 1);
}

// A note whose bytes are not UTF-8 is read as Latin-1, as the import reads such names.
TEST_F(CliWatch, NotesAreStoredAsUtf8) {
    const auto result = watch({"--add-horse", "5426737", "--note", "caf\xe9 \xff", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto list = nlohmann::json::parse(result.out);
    EXPECT_EQ(list["horses"][0]["note"], "caf\u00e9 \u00ff") << result.out;
}

}  // namespace
