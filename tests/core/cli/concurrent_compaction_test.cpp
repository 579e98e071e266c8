// SPDX-License-Identifier: MIT
// Compactions racing real imports and removals in other processes: whatever the order of
// events, a change that its program reported as done is in the store afterwards, and one
// reported as failed left the store as it was.
#include "program_runner.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

extern char** environ;

namespace {

using testing_support::runCli;
using testing_support::runProgram;
using namespace std::chrono_literals;

constexpr int kFirstWeek = 100;
constexpr int kWeeks = 80;  // enough that a compaction takes a good part of a second
constexpr int kRacingWeek = kFirstWeek + kWeeks;

// Starts harrowdex-cli in the background, its output dropped.
pid_t startCli(const std::vector<std::string>& args) {
    std::vector<std::string> all{HARROWDEX_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The exit status of a started program; `stillRunning` tells whether it had not ended yet.
int exitStatus(pid_t pid, bool& stillRunning) {
    int raw = 0;
    pid_t ended = waitpid(pid, &raw, WNOHANG);
    stillRunning = ended == 0;
    if (stillRunning) ended = waitpid(pid, &raw, 0);
    return ended == pid && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool holdsWeek(const std::string& db, int week) {
    auto connection = store::Database::open(db, store::Access::ReadOnly);
    return std::ranges::count(store::raceWeeks(connection), week) == 1;
}

TEST(ConcurrentCompaction, NeverUndoesAReportedChangeOfAnotherProgram) {
    testing_support::TestFolder folder;
    const std::string db = (folder / "horses.mdb").string();
    const std::string racing = (folder / ("raceout" + std::to_string(kRacingWeek) + ".txt")).string();
    ASSERT_EQ(runProgram(HARROWDEX_GENERATOR_PATH, {"--out", folder.path().string(), "--first-week",
                                                    std::to_string(kFirstWeek), "--weeks", std::to_string(kWeeks + 1)})
                  .status,
              0);
    ASSERT_EQ(runCli({"makedb", db}).status, 0);
    std::vector<std::string> import{"import", "--db", db, "--yes"};
    for (int week = kFirstWeek; week < kRacingWeek; ++week)
        import.push_back((folder / ("raceout" + std::to_string(week) + ".txt")).string());
    ASSERT_EQ(runCli(import).status, 0);

    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(runCli({"compact", "--db", db}).status, 0);
    const auto compaction = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delay(0, static_cast<int>(compaction.count()));
    const auto deadline = std::chrono::steady_clock::now() + 25s;
    int rounds = 0;
    int overlapping = 0;
    for (; rounds < 30 && std::chrono::steady_clock::now() < deadline; ++rounds) {
        const bool importing = !holdsWeek(db, kRacingWeek);
        const pid_t compacting = startCli({"compact", "--db", db});
        ASSERT_GT(compacting, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        const auto change = importing ? runCli({"import", "--db", db, "--yes", racing})
                                      : runCli({"remove-weeks", "--db", db, std::to_string(kRacingWeek)});
        bool stillCompacting = false;
        const int compacted = exitStatus(compacting, stillCompacting);
        overlapping += stillCompacting ? 1 : 0;
        EXPECT_TRUE(compacted == 0 || compacted == 1) << "round " << rounds;
        const bool done = change.status == 0;
        EXPECT_EQ(holdsWeek(db, kRacingWeek), importing == done)
            << "round " << rounds << ": the " << (importing ? "import" : "removal") << " reported "
            << (done ? "success" : "failure") << " (" << change.err.substr(change.err.size() > 200 ? change.err.size() - 200 : 0) << ")";
        EXPECT_EQ(runCli({"weeks", "--db", db}).status, 0);
        if (testing::Test::HasFailure()) break;
    }
    EXPECT_GE(rounds, 10);
    EXPECT_GT(overlapping, 0) << "no change ran while a compaction did";
}

}  // namespace
