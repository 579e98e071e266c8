// SPDX-License-Identifier: MIT
#include "cli_sample_store.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::runProgram;

class CliSqlTrace : public testing_support::CliSampleStore {};

// Every line a statement with its time, the search's own SELECT among them with its value
// (a line feed in it written as a space).
void expectTrace(const std::string& trace, const std::string& label) {
    const std::regex line(R"( *[0-9]+\.[0-9]{3} ms  \S.*)");
    std::istringstream lines(trace);
    bool search = false;
    for (std::string text; std::getline(lines, text);) {
        EXPECT_TRUE(std::regex_match(text, line)) << label << ": " << text;
        if (text.find("SELECT ") != std::string::npos && text.find("'Black Dasher'") != std::string::npos)
            search = true;
    }
    EXPECT_TRUE(search) << label << ":\n" << trace;
}

// HARROWDEX_SQL_TRACE appends to a file or writes to standard error; unset, empty or
// naming a file that cannot be made, the search runs as ever and writes nothing more.
TEST_F(CliSqlTrace, TheVariableChoosesWhereTheTraceGoes) {
    const auto run = [&](const std::vector<std::string>& variable, const std::string& horse = "Black Dasher") {
        std::vector<std::string> args = {"-u", "HARROWDEX_SQL_TRACE"};
        args.insert(args.end(), variable.begin(), variable.end());
        args.insert(args.end(), {HARROWDEX_CLI_PATH, "search", "--db", db, "--horse", horse});
        return runProgram("env", args);
    };
    const auto plain = run({});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");

    testing_support::TestFolder folder;
    const std::string file = (folder / "trace.log").string();
    testing_support::writeBytes(file, "earlier\n");
    run({"HARROWDEX_SQL_TRACE=" + file}, "Black\nDasher");
    const std::string written = testing_support::readBytes(file);
    ASSERT_EQ(written.rfind("earlier\n", 0), 0u) << "appended";
    expectTrace(written.substr(8), "file");

    expectTrace(run({"HARROWDEX_SQL_TRACE=-"}).err, "standard error");

    const auto empty = run({"HARROWDEX_SQL_TRACE="});
    EXPECT_EQ(empty.err, "");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"trace.log"});

    const auto unopened = run({"HARROWDEX_SQL_TRACE=" + (folder / "missing/trace.log").string()});
    EXPECT_EQ(unopened.status, 0);
    EXPECT_EQ(unopened.out, plain.out);
    EXPECT_EQ(unopened.err, "The SQL trace file \"" + (folder / "missing/trace.log").string() +
                                "\" cannot be opened (No such file or directory); running without it.\n");
}

}  // namespace
