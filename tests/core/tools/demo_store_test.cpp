// SPDX-License-Identifier: MIT
// The demo season of scripts/make-demo-store.sh, made once for the suite: every search kind
// finds rows in it, and its horse pages reach the lineage lookup over HTTP through
// harrowdex-page-server. The names are those the README suggests trying.
#include "page_server.h"
#include "program_runner.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using testing_support::PageServer;
using testing_support::ProgramResult;
using testing_support::readBytes;
using testing_support::runCli;
using testing_support::runProgram;
using testing_support::TestFolder;
using testing_support::waitForAddress;

const std::string kHorse = "Swift Baron";
const std::string kHorseNumber = "5065388";
const std::string kStable = "Crane Stables";
const std::string kSire = "Painted Diamond";

long long lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

class DemoStore : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TestFolder;
        const ProgramResult made = makeDemo();
        made_ = made.out + made.err;
        ASSERT_EQ(made.status, 0) << made_;
    }
    // The demo script run over this build's programs, into the suite's store.
    static ProgramResult makeDemo() {
        return runProgram(
            "env", {"HARROWDEX_BUILD_DIR=" + std::string(HARROWDEX_BUILD_DIR), "bash", HARROWDEX_DEMO_SCRIPT, db()});
    }
    static void TearDownTestSuite() { delete folder_; }

    static std::string db() { return (*folder_ / "horses.mdb").string(); }
    static std::string demo(const std::string& name) { return (*folder_ / "demo" / name).string(); }

    static inline TestFolder* folder_ = nullptr;
    static inline std::string made_;  // what the script said, both streams
};

TEST_F(DemoStore, SaysWhatItMadeAndRefusesToReplaceAStore) {
    const std::string& made = made_;
    for (const char* part : {"Wrote 52 results files", "Wrote the breeding file", "horse pages", "Made the demo"})
        EXPECT_NE(made.find(part), std::string::npos) << part << " in:\n" << made;
    EXPECT_NE(makeDemo().status, 0);
    EXPECT_EQ(lines(runCli({"weeks", "--db", db()}).out), 52);
}

TEST_F(DemoStore, EverySearchKindFindsRows) {
    const std::string breeding = demo("breeding.txt");
    // The weeks end with the day the demo was made; the horse's last race is one of them.
    const std::string listing = runCli({"search", "--db", db(), "--id", kHorseNumber}).out;
    const auto row = listing.find("\r\n") + 2;
    const auto raceStart = listing.find(",\"", listing.find(",\"", row) + 1) + 2;
    const std::string race = listing.substr(raceStart, listing.find('"', raceStart) - raceStart);
    const std::vector<std::vector<std::string>> searches = {
        {"search", "--db", db(), "--horse", kHorse},
        {"search", "--db", db(), "--id", kHorseNumber},
        {"search", "--db", db(), "--owner", kStable},
        {"search", "--db", db(), "--race", race},
        {"progeny", "--db", db(), "--breeding", breeding, "--sire", kSire},
        {"progeny", "--db", db(), "--breeding", breeding, "--sire", kSire, "--two-year-olds"},
        {"progeny", "--db", db(), "--breeding", breeding, "--dam-sire", kSire},
        {"progeny", "--db", db(), "--breeding", breeding, "--dams-dam-sire", kSire}};
    for (const auto& search : searches) {
        const auto result = runCli(search);
        EXPECT_EQ(result.status, 0) << search[3] << " " << search.back() << ": " << result.err;
        EXPECT_GT(lines(result.out), 2) << search[3] << " " << search.back();
    }
    // The demo has a track list: the listing's "Tr" column shows the race's track code.
    std::string cells = listing.substr(row, listing.find("\r\n", row) - row);
    for (int skipped = 0; skipped < 4; ++skipped) cells = cells.substr(cells.find("\",\"") + 3);  // to "Tr"
    EXPECT_NE(cells.find('"'), 0u) << cells;
}

TEST_F(DemoStore, HorsePagesReachTheLineageLookupOverHttp) {
    const auto addressFile = *folder_ / "server.txt";
    const PageServer server(demo("pages"), addressFile.string());
    const std::string address = waitForAddress(addressFile);
    ASSERT_EQ(address.rfind("http://127.0.0.1:", 0), 0u) << address;

    const auto result = runCli({"lineage", "--id", kHorseNumber, "--name", kHorse, "--server", address});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["title"], "Lineage of '" + kHorse + "'  (" + kHorseNumber + ")");
    // The page's pedigree is the breeding file's: the horse's group names its sire first.
    const std::string breeding = readBytes(demo("breeding.txt"));
    const auto group = breeding.find("\r\n" + kHorseNumber + ",");
    ASSERT_NE(group, std::string::npos);
    const auto sireLine = breeding.find("\r\n", group + 2) + 2;
    const auto sireStart = sireLine + kHorseNumber.size() + 1;
    std::string sire = breeding.substr(sireStart, breeding.find(',', sireStart) - sireStart);
    std::ranges::transform(sire, sire.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    EXPECT_EQ(json["pedigree"][0][0], sire);

    // Only pages of horse numbers are served; anything else is no page at all.
    for (const std::string id : {"1", "..%2Fbreeding", "abc"}) {
        const auto missing = runCli({"lineage", "--id", id, "--name", "X", "--server", address});
        EXPECT_EQ(missing.status, 1) << id;
    }
}

}  // namespace
