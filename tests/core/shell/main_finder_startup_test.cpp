// SPDX-License-Identifier: MIT
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::readBytes;
using testing_support::ScriptedDialogs;
using testing_support::TestFolder;
using testing_support::writeBytes;

const std::string kMissingStoreMessage =
    "Please restart this program after you have successfully saved or moved the horses.mdb file to the SAME "
    "directory in which this program is located.";

class MainFinderStartup : public ::testing::Test {
protected:
    void makeStore() { store::createRaceStore(folder / "horses.mdb"); }
    bool start() { return finder.Form_Load({folder.path().string(), (folder / "breeding.txt").string()}); }

    TestFolder folder;
    ScriptedDialogs dialogs;
    shell::MainFinder finder{dialogs};
};

TEST_F(MainFinderStartup, MissingStoreEndsWithTheOneMessageAndWritesNothing) {
    EXPECT_FALSE(start());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], kMissingStoreMessage);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// An installed program asks at its first start whether to create the store in the user's
// data folder; Yes creates the folder and an empty store and starts, No ends untouched.
TEST_F(MainFinderStartup, FirstStartOfAnInstalledProgramOffersAnEmptyStore) {
    for (const bool yes : {true, false}) {
        TestFolder home;
        const auto data = home / "share/harrowdex";
        ScriptedDialogs asked;
        asked.answers = {yes};
        shell::MainFinder installed{asked};
        EXPECT_EQ(installed.Form_Load({data.string() + "/", "", true}), yes);
        ASSERT_EQ(asked.questions.size(), 1u);
        EXPECT_EQ(asked.questions[0], "There is no race store yet. Create an empty one in " + data.string() + "?");
        EXPECT_TRUE(asked.messages.empty());
        EXPECT_EQ(std::filesystem::exists(data / "horses.mdb"), yes);
        EXPECT_EQ(store::raceStoreProblem((data / "horses.mdb").string()).has_value(), !yes);
        if (!yes) {
            EXPECT_TRUE(std::filesystem::is_empty(home.path()));
            continue;
        }
        // The folders it makes are the user's alone.
        for (const auto& made : {home / "share", data})
            EXPECT_EQ(std::filesystem::status(made).permissions(), std::filesystem::perms::owner_all) << made;
    }
}

// A store beside a program whose folder the user cannot write is used, never the offer of
// one in the user's data folder, which takes only the program's own files.
TEST_F(MainFinderStartup, StoreBesideTheProgramWithItsFilesInTheDataFolder) {
    makeStore();
    const auto data = folder / "home/share/harrowdex";
    ASSERT_TRUE(finder.Form_Load({data.string() + "/", "", true, folder.path().string()}));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(finder.raceStorePath(), (folder / "horses.mdb").string());
    EXPECT_EQ(std::filesystem::status(data).permissions(), std::filesystem::perms::owner_all);
    finder.msfgridback_Click();  // saves the grid settings
    EXPECT_TRUE(std::filesystem::exists(data / "HarrowdexSettings.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder / "HarrowdexSettings.ini"));
}

TEST_F(MainFinderStartup, FileThatIsNotARaceStoreIsNamedAndLeftUnchanged) {
    const std::string bytes = "Week 312 results\r\nnot a database at all\r\n";
    writeBytes(folder / "horses.mdb", bytes);
    EXPECT_FALSE(start());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("horses.mdb"), std::string::npos);
    EXPECT_EQ(readBytes(folder / "horses.mdb"), bytes);
    EXPECT_FALSE(std::filesystem::exists(folder / "HarrowdexSettings.ini"));
}

TEST_F(MainFinderStartup, FolderGetsOneTrailingSeparator) {
    makeStore();
    ASSERT_TRUE(finder.Form_Load({folder.path().string() + "/", ""}));
    EXPECT_EQ(finder.raceStorePath(), (folder.path() / "horses.mdb").string());
}

TEST_F(MainFinderStartup, MissingBreedingFileDisablesOnlyTheProgenyOptions) {
    makeStore();
    ASSERT_TRUE(start());
    EXPECT_TRUE(dialogs.messages.empty());
    for (const auto* option : {&finder.optsire, &finder.optdamsire, &finder.optdamdamsire}) {
        EXPECT_FALSE(option->enabled);
        EXPECT_TRUE(option->visible);
    }
    EXPECT_TRUE(finder.opthorse.checked);
    EXPECT_TRUE(finder.opthorse.enabled);
}

TEST_F(MainFinderStartup, PresentBreedingFileLeavesTheProgenyOptionsEnabled) {
    makeStore();
    writeBytes(folder / "breeding.txt", "1\r\n");
    ASSERT_TRUE(start());
    EXPECT_TRUE(finder.optsire.enabled && finder.optdamsire.enabled && finder.optdamdamsire.enabled);
    EXPECT_EQ(finder.breedingFile(), (folder / "breeding.txt").string());
}

TEST_F(MainFinderStartup, ControlsStandAsAfterStartUp) {
    makeStore();
    ASSERT_TRUE(start());
    for (const auto* hidden : {&finder.chk2yo, &finder.lblnum, &finder.txtnum, &finder.lblfastest})
        EXPECT_FALSE(hidden->visible);
    EXPECT_FALSE(finder.MSFSRGrid.visible());
    EXPECT_FALSE(finder.MSFmaxgrid.visible());
    EXPECT_TRUE(finder.MSFWGrid.visible() && finder.MSFSGrid.visible() && finder.MSFColorGridKey.visible());
    EXPECT_EQ(finder.lblinjurytest.caption, "Injury &Exclusion:\rIgnore races slower than ...");
    EXPECT_EQ(finder.txtinjury.caption, "30");
    EXPECT_EQ(finder.txtnum.caption, "5");
    EXPECT_TRUE(finder.chkname.checked);
    EXPECT_FALSE(finder.chkid.checked || finder.chkowner.checked || finder.chk2yo.checked);
    EXPECT_EQ(finder.txthorse.maxLength, 0);  // an owner name of any length
    EXPECT_EQ(finder.txtid.maxLength, 10);
    EXPECT_EQ(finder.txtfirstweek.maxLength, 6);
    EXPECT_EQ(finder.txtinjury.maxLength, 3);
    EXPECT_EQ(finder.leftTwips, 10);
    EXPECT_EQ(finder.topTwips, 10);
    EXPECT_EQ(finder.MSFlexGrid1.rows(), 2);
    EXPECT_EQ(finder.MSFlexGrid1.cols(), 18);
    EXPECT_EQ(finder.MSFlexGrid1.fontSize(), 7);
    EXPECT_EQ(finder.MSFlexGrid1.backColour(), base::kSystem3DLight);
    EXPECT_EQ(finder.MSFlexGrid1.text(0, 0), "Name");
    EXPECT_EQ(finder.MSFlexGrid1.text(0, 17), "St");
}

TEST_F(MainFinderStartup, NoSettingsFileKeepsTheDefaultWidthsAndWritesNothing) {
    makeStore();
    ASSERT_TRUE(start());
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(0), 1250);
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(17), 300);
    EXPECT_FALSE(std::filesystem::exists(folder / "HarrowdexSettings.ini"));
}

TEST_F(MainFinderStartup, EmptyOrDamagedSettingsFileGetsTheResetValuesRewritten) {
    const std::string reset =
        " 1250  630  825  480  350  810  375  200  450  280  280  280  630  615  630  750  555  300 -2147483626 \r\n";
    makeStore();
    for (const std::string& damaged : {std::string(""), std::string("1 2 3"), std::string("wide columns please")}) {
        writeBytes(folder / "HarrowdexSettings.ini", damaged);
        shell::MainFinder fresh{dialogs};
        ASSERT_TRUE(fresh.Form_Load({folder.path().string(), ""}));
        EXPECT_EQ(fresh.MSFlexGrid1.columnWidth(0), 1250) << damaged;
        EXPECT_EQ(fresh.MSFlexGrid1.columnWidth(17), 300) << damaged;
        EXPECT_EQ(readBytes(folder / "HarrowdexSettings.ini"), reset) << damaged;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainFinderStartup, SavedWidthsAndBackgroundAreApplied) {
    makeStore();
    writeBytes(folder / "HarrowdexSettings.ini",
               " 2000  500  760  410  350  350  320  200  450  280  280  280  655  500  650  750  500  999 "
               "-2147483643 \r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(0), 2000);
    EXPECT_EQ(finder.MSFlexGrid1.columnWidth(17), 999);
    EXPECT_EQ(finder.MSFlexGrid1.backColour(), base::kSystemWindowBackground);
}

}  // namespace
