// SPDX-License-Identifier: MIT
#pragma once

#include "test_folder.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramResult {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` (a path, or a name found on the PATH) with the given arguments, standard
// input closed, and collects its exit status and both output streams.
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    const auto quote = [](const std::string& text) {
        std::string quoted = "'";
        for (char c : text)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    };
    TestFolder capture;
    std::string command = quote(program);
    for (const auto& arg : args)
        command += " " + quote(arg);
    command += " </dev/null >" + quote((capture / "out").string()) + " 2>" + quote((capture / "err").string());
    const int raw = std::system(command.c_str());
    ProgramResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readBytes(capture / "out");
    result.err = readBytes(capture / "err");
    return result;
}

// Runs the real harrowdex-cli.
inline ProgramResult runCli(const std::vector<std::string>& args) { return runProgram(HARROWDEX_CLI_PATH, args); }

}  // namespace testing_support
