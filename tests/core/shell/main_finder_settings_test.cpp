// SPDX-License-Identifier: MIT
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::readBytes;

const std::string kWidths =
    " 1250  630  825  480  350  810  375  200  450  280  280  280  630  615  630  750  555  300 ";

class ResultsGridSettings : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(folder / "horses.mdb");
        ASSERT_TRUE(finder.Form_Load({folder.path().string(), ""}));
    }
    std::string settingsFile() const { return readBytes(folder / "HarrowdexSettings.ini"); }

    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder finder{dialogs};
};

TEST_F(ResultsGridSettings, ResetWritesTheResetLineAndMakesColumnZeroCurrent) {
    finder.MSFlexGrid1.setCol(5);
    finder.MSFlexGrid1.setColumnWidth(2, 3000);
    finder.msfgridreset_click();
    EXPECT_EQ(finder.MSFlexGrid1.col(), 0);
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(2), 825);
    EXPECT_EQ(settingsFile(), kWidths + "-2147483626 \r\n");
}

TEST_F(ResultsGridSettings, ToggleBackgroundAlternatesAndRewritesTheFile) {
    finder.msfgridreset_click();
    finder.msfgridback_Click();
    EXPECT_EQ(finder.MSFlexGrid1.backColour(), base::kSystemWindowBackground);
    EXPECT_EQ(settingsFile(), kWidths + "-2147483643 \r\n");
    finder.msfgridback_Click();
    EXPECT_EQ(finder.MSFlexGrid1.backColour(), base::kSystem3DLight);
    EXPECT_EQ(settingsFile(), kWidths + "-2147483626 \r\n");
}

TEST_F(ResultsGridSettings, ProgenyLayoutChangesTheColourButNotTheFile) {
    finder.msfgridreset_click();
    finder.MSFSGrid.setVisible(false);
    finder.MSFmaxgrid.setVisible(true);
    finder.msfgridback_Click();
    EXPECT_EQ(finder.MSFlexGrid1.backColour(), base::kSystemWindowBackground);
    EXPECT_EQ(settingsFile(), kWidths + "-2147483626 \r\n");
    finder.msfgridsavesettings();
    EXPECT_EQ(settingsFile(), kWidths + "-2147483626 \r\n");
}

TEST_F(ResultsGridSettings, WidthsInEffectSurviveASaveAndReload) {
    finder.msfgridreset_click();
    finder.MSFlexGrid1.setColumnWidth(0, 2222);   // a user's drag
    finder.MSFlexGrid1.setColumnWidth(1, 40000);  // beyond what the file can hold
    finder.msfgridsavesettings();
    finder.MSFlexGrid1.setColumnWidth(0, 100);
    finder.msfgridgetsettings();
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(0), 2222);
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(1), 32767);
}

TEST_F(ResultsGridSettings, AFolderThatCannotBeWrittenIsReportedOnce) {
    std::filesystem::create_directory(folder / "HarrowdexSettings.ini");  // cannot be replaced by a file
    finder.msfgridreset_click();
    finder.msfgridback_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("HarrowdexSettings.ini"), std::string::npos);
}

}  // namespace
