// SPDX-License-Identifier: MIT
// The window program's command line: its options, and the real program answering --help
// and --version without a display.
#include "shell/qt/window_arguments.h"

#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

namespace {

using ::testing::HasSubstr;

const std::string kFixedPlace = "/home/user/enr/breeding.txt";

TEST(WindowArgumentsTest, BreedingFileAnswersAndErrors) {
    struct Case {
        QStringList arguments;
        bool qtOptionsTaken;
        std::string breeding;
        bool answered, failed;
    };
    const Case cases[] = {
        {{}, true, kFixedPlace, false, false},
        {{"--breeding", "/tmp/demo/breeding.txt"}, true, "/tmp/demo/breeding.txt", false, false},
        {{"--breeding=/b.txt"}, true, "/b.txt", false, false},
        {{"--help"}, false, kFixedPlace, true, false},
        {{"-platform", "offscreen", "--version"}, false, kFixedPlace, true, false},  // before Qt took its own
        {{"-platform", "offscreen"}, false, kFixedPlace, false, false},
        {{"--unknown"}, true, kFixedPlace, false, true},
        {{"--breeding"}, true, kFixedPlace, false, true}};
    for (const auto& c : cases) {
        const auto read = shell::readWindowArguments(c.arguments, kFixedPlace, c.qtOptionsTaken);
        const std::string label = c.arguments.join(' ').toStdString();
        EXPECT_EQ(read.breedingFile, c.breeding) << label;
        EXPECT_EQ(read.answer.has_value(), c.answered) << label;
        EXPECT_EQ(read.error.has_value(), c.failed) << label;
    }
}

TEST(WindowArgumentsTest, ProgramAnswersHelpAndVersionWithoutADisplay) {
    testing_support::TestFolder folder;
    const auto run = [&folder](const std::string& argument) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                                    std::string(HARROWDEX_APP_PATH) + "' " + argument + " >'" +
                                    (folder / "out").string() + "' 2>&1";
        const int raw = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << argument;
        return testing_support::readBytes(folder / "out");
    };
    EXPECT_EQ(run("--version"), "harrowdex 4.31\n");
    const std::string help = run("--help");
    EXPECT_THAT(help, HasSubstr("Usage: harrowdex [options]"));
    EXPECT_THAT(help, HasSubstr("--breeding <FILE>"));
    EXPECT_THAT(help, HasSubstr("--version"));
}

}  // namespace
