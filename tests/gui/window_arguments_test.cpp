// SPDX-License-Identifier: MIT
// The window program's command line: its options, and the real program answering --help
// and --version without a display.
#include "app/qt/window_arguments.h"

#include "program_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

const std::string kFixedPlace = "/home/user/enr/breeding.txt";

TEST(WindowArgumentsTest, BreedingFileTodayAnswersAndErrors) {
    struct Case {
        QStringList arguments;
        bool qtOptionsTaken;
        std::string breeding;
        bool answered, failed;
        std::optional<int> today = std::nullopt;
    };
    const Case cases[] = {
        {{}, true, kFixedPlace, false, false},
        {{"--breeding", "/tmp/demo/breeding.txt"}, true, "/tmp/demo/breeding.txt", false, false},
        {{"--breeding=/b.txt"}, true, "/b.txt", false, false},
        {{"--help"}, false, kFixedPlace, true, false},
        {{"-platform", "offscreen", "--version"}, false, kFixedPlace, true, false},  // before Qt took its own
        {{"-platform", "offscreen"}, false, kFixedPlace, false, false},
        {{"--unknown"}, true, kFixedPlace, false, true},
        {{"--breeding"}, true, kFixedPlace, false, true},
        {{"--today", "2026-12-08"}, true, kFixedPlace, false, false, 46364},
        {{"--today", "2026-13-08"}, true, kFixedPlace, false, true}};
    for (const auto& c : cases) {
        const auto read = app::readWindowArguments(c.arguments, kFixedPlace, c.qtOptionsTaken);
        const std::string label = c.arguments.join(' ').toStdString();
        EXPECT_EQ(read.breedingFile, c.breeding) << label;
        EXPECT_EQ(read.answer.has_value(), c.answered) << label;
        EXPECT_EQ(read.error.has_value(), c.failed) << label;
        EXPECT_EQ(read.today, c.today) << label;
    }
}

TEST(WindowArgumentsTest, ProgramAnswersHelpAndVersionWithoutADisplay) {
    const auto run = [](const std::string& argument) {
        const auto result = testing_support::runProgram(
            "env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb", HARROWDEX_APP_PATH, argument});
        EXPECT_EQ(result.status, 0) << argument;
        return result.out + result.err;
    };
    EXPECT_EQ(run("--version"), "harrowdex " HARROWDEX_PROJECT_VERSION "\n");
    const std::string help = run("--help");
    EXPECT_THAT(help, HasSubstr("Usage: harrowdex [options]"));
    EXPECT_THAT(help, HasSubstr("--breeding <FILE>"));
    EXPECT_THAT(help, HasSubstr("--version"));
    EXPECT_THAT(help, HasSubstr("in $XDG_DATA_HOME/harrowdex (by default ~/.local/share/harrowdex)"));
    EXPECT_THAT(help, HasSubstr("/usr/share/harrowdex/guide/"));
}

}  // namespace
