// SPDX-License-Identifier: MIT
#pragma once

#include "import/import_driver.h"
#include "samples.h"
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

// A started main window state over a race store holding the three sample weeks, with
// today fixed at week 312's day (12 ... of the simulation calendar) unless a test sets
// another clock.
class SampleStore : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(folder / "horses.mdb");
        ASSERT_TRUE(window.Form_Load({folder.path().string(), ""}));
        window.setClock(clock);
        std::vector<import::ChosenFile> weeks;
        for (const char* name : {"raceout310.txt", "raceout311.txt", "raceout312.txt"})
            weeks.push_back({kSamplesDir + "/" + name, name});
        ASSERT_EQ(import::importFiles(window, window.raceStorePath(), weeks), import::ImportResult::Done);
    }

    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < window.MSFlexGrid1.cols(); ++c) cells.push_back(window.MSFlexGrid1.text(r, c));
        return cells;
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> cells;
        for (int r = 1; r < window.MSFlexGrid1.rows(); ++r) cells.push_back(window.MSFlexGrid1.text(r, c));
        return cells;
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    base::FixedClock clock{35997 + 312};
    shell::MainFinder window{dialogs};
};

}  // namespace testing_support
