// SPDX-License-Identifier: MIT
#pragma once

#include "test_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace testing_support {

// The page server as run.sh starts it, ended with the test.
class PageServer {
public:
    explicit PageServer(const std::string& pages, const std::string& addressFile) {
        const std::string program = HARROWDEX_PAGE_SERVER_PATH;
        std::vector<std::string> args = {program, "--pages", pages, "--address-file", addressFile};
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~PageServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

private:
    pid_t pid_ = -1;
};

inline std::string waitForAddress(const std::filesystem::path& file) {
    for (int tries = 0; tries < 100 && !std::filesystem::exists(file); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::string address = readBytes(file);
    while (!address.empty() && address.back() == '\n') address.pop_back();
    return address;
}

}  // namespace testing_support
