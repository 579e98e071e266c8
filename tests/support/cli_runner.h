// SPDX-License-Identifier: MIT
#pragma once

#include "test_folder.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testing_support {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real harrowdex-cli with the given arguments, standard input closed, and
// collects its exit status and both output streams.
inline CliResult runCli(const std::vector<std::string>& args) {
    const auto quote = [](const std::string& text) {
        std::string quoted = "'";
        for (char c : text)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    };
    TestFolder capture;
    std::string command = quote(HARROWDEX_CLI_PATH);
    for (const auto& arg : args)
        command += " " + quote(arg);
    command += " </dev/null >" + quote((capture / "out").string()) + " 2>" +
               quote((capture / "err").string());
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readBytes(capture / "out");
    result.err = readBytes(capture / "err");
    return result;
}

}  // namespace testing_support
