// SPDX-License-Identifier: MIT
#pragma once

#include "program_runner.h"
#include "samples.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

// A race store holding the three sample weeks, made once per test suite through the
// command line tool itself.
class CliSampleStore : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string& samples = kSamplesDir;
        folder_ = new TestFolder;
        db = (*folder_ / "horses.mdb").string();
        ASSERT_EQ(runCli({"makedb", db}).status, 0);
        ASSERT_EQ(runCli({"import", "--db", db, samples + "/raceout310.txt", samples + "/raceout311.txt",
                          samples + "/raceout312.txt"})
                      .status,
                  0);
    }
    static void TearDownTestSuite() { delete folder_; }

    static inline TestFolder* folder_ = nullptr;
    static inline std::string db;
};

}  // namespace testing_support
