// SPDX-License-Identifier: MIT
#include "lineage/lineage_form.h"
#include "lineage/lineage_lookup.h"
#include "lineage/server_address.h"

#include "sample_store.h"
#include "scripted_dialogs.h"
#include "search/gethorse.h"
#include "shell/main_finder.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using testing_support::readBytes;

using testing_support::kSamplesDir;
const std::string kServer = "http://sim.test:8080";
const std::string kBlackDasherTitle = "Lineage of 'Black Dasher'  (742503)";

std::string normalPage() { return readBytes(kSamplesDir + "/horse_page_normal.html"); }

// Answers every request with one page and records the addresses asked for.
class FakeFetcher : public lineage::PageFetcher {
public:
    std::optional<std::string> page;
    std::vector<std::string> urls;
    std::vector<std::chrono::milliseconds> timeouts;
    std::function<void()> whileWaiting;

    std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout) override {
        urls.push_back(url);
        timeouts.push_back(timeout);
        if (whileWaiting) whileWaiting();
        return page;
    }
};

// A main window whose results grid lists two horses, filled by hand.
class LineageLookup : public ::testing::Test {
protected:
    void SetUp() override {
        window.setUpControls();
        list({{"Black Dasher", "742503"}, {"Blazing Treasure", "1288"}});
        fetcher.page = normalPage();
    }

    void list(const std::vector<std::pair<std::string, std::string>>& horses) {
        grid().setRows(static_cast<int>(horses.size()) + 1);
        for (int r = 1; r <= static_cast<int>(horses.size()); ++r) {
            grid().setText(r, 0, horses[static_cast<std::size_t>(r - 1)].first);
            grid().setText(r, 1, horses[static_cast<std::size_t>(r - 1)].second);
        }
        grid().select(1, 0, 1, 0);
    }

    std::optional<lineage::LineageInfo> request() { return lineage::getlineage_Click(window, fetcher, kServer); }
    base::GridModel& grid() { return window.MSFlexGrid1; }

    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
    FakeFetcher fetcher;
};

TEST_F(LineageLookup, SelectedRowsHorseIsFetchedAndRead) {
    const auto info = request();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, kBlackDasherTitle);
    EXPECT_EQ(info->page.misc.substr(0, 27), "Owner:   REID THOROUGHBREDS");
    EXPECT_EQ(fetcher.urls, std::vector<std::string>{kServer + "/hr/runtime/onehoss.asp?hossnum=742503"});
    EXPECT_EQ(fetcher.timeouts, std::vector<std::chrono::milliseconds>{std::chrono::seconds(60)});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(LineageLookup, HeaderRowSelectedAsksForTheFirstRow) {
    grid().select(0, 3, 0, 3);
    ASSERT_TRUE(request());
    EXPECT_EQ(fetcher.urls.back(), kServer + "/hr/runtime/onehoss.asp?hossnum=742503");
    EXPECT_EQ(grid().row(), 1);
    EXPECT_EQ(grid().rowSel(), 1);
}

TEST_F(LineageLookup, SelectionEndRowIsTheOneAskedFor) {
    grid().select(1, 0, 2, 0);
    fetcher.page = readBytes(kSamplesDir + "/horse_page_homebred.html");
    const auto info = request();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, "Lineage of 'Blazing Treasure'  (1288)");
}

TEST_F(LineageLookup, IdentifierIsSentAsTheCellShowsIt) {
    list({{"Black Dasher", "0742503"}});
    request();
    EXPECT_EQ(fetcher.urls.back(), kServer + "/hr/runtime/onehoss.asp?hossnum=0742503");
    // The title shows the cell's identifier too, not the page's.
    EXPECT_EQ(request()->title, "Lineage of 'Black Dasher'  (0742503)");
    // Characters that cannot stand in a query are encoded, the rest kept.
    EXPECT_EQ(lineage::horsePageAddress("http://h/", " 7#&é"), "http://h/hr/runtime/onehoss.asp?hossnum=%207%23%26%C3%A9");
}

TEST_F(LineageLookup, WaitShowsBusyPointerAndStatusThenGivesTheStatusBack) {
    window.lblprogress.caption = "Statistics for Black Dasher";
    fetcher.whileWaiting = [this] {
        EXPECT_EQ(dialogs.busyDepth, 1);
        EXPECT_EQ(window.lblprogress.caption, "Fetching the page of horse 742503...");
        EXPECT_EQ(dialogs.repaints, 1);
    };
    fetcher.page = "";
    request();
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_EQ(window.lblprogress.caption, "Statistics for Black Dasher");
}

TEST(LineageIdentity, StoredNamesKeepTwentyFiveCharacters) {
    EXPECT_TRUE(lineage::sameHorse("Crimson Queen Of Wetherby Cannon", "Crimson Queen Of Wetherby"));
    EXPECT_TRUE(lineage::sameHorse("Crimson Queen Of Wetherby Cannon", "Crimson Queen Of Wetherby Cannon"));
    EXPECT_FALSE(lineage::sameHorse("Crimson Queen Of Wetherbx Cannon", "Crimson Queen Of Wetherby"));
    EXPECT_FALSE(lineage::sameHorse("Crimson Queen Of Wetherby", "Crimson Queen Of Wetherby Cannon"));
    EXPECT_FALSE(lineage::sameHorse("Black Dasher", "Black Dasher "));
    EXPECT_FALSE(lineage::sameHorse("", "Black Dasher"));
    // Characters, not bytes: a name with accents is cut where the store cuts it.
    EXPECT_TRUE(lineage::sameHorse("Élan Vital De La Montagne Bleue", "Élan Vital De La Montagne"));
}

// A real search over the sample weeks lists the long name as the store keeps it.
class LineageLookupAfterSearch : public testing_support::SampleStore {};

TEST_F(LineageLookupAfterSearch, LongNameFromTheStoreMatchesTheWholePageName) {
    ASSERT_TRUE(search::gethorse(window, search::kHorseByNumber, "", "531"));
    ASSERT_EQ(window.MSFlexGrid1.text(1, 0), "Crimson Queen Of Wetherby");
    std::string page = normalPage();
    page.replace(page.find("Black Dasher"), 12, "CRIMSON QUEEN OF WETHERBY CANNON");
    FakeFetcher fetcher;
    fetcher.page = page;
    const auto info = lineage::getlineage_Click(window, fetcher, kServer);
    ASSERT_TRUE(info);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(info->title, "Lineage of 'Crimson Queen Of Wetherby Cannon'  (531)");
}

TEST(LineageForm, OneRequestFillsEveryTextAndTheHeaders) {
    lineage::LineageForm form;
    EXPECT_EQ(form.lbllineage.caption, "Lineage For");
    EXPECT_EQ(form.fra1.caption, "Miscellaneous Stats");
    EXPECT_EQ(form.fra2.caption, "Win Stats");
    EXPECT_EQ(form.MSFlexGrid1.columnWidth(0), 1013);
    for (int col = 1; col <= 3; ++col) EXPECT_EQ(form.MSFlexGrid1.columnWidth(col), 2309);

    const lineage::LineageInfo info{kBlackDasherTitle, lineage::parseHorsePage(normalPage())};
    form.showLineage(info);
    EXPECT_EQ(form.lbllineage.caption, kBlackDasherTitle);
    EXPECT_EQ(form.lblmisc.caption, info.page.misc);
    EXPECT_EQ(form.lblwinstats.caption, info.page.winstats);
    const std::vector<std::vector<std::string>> expected{
        {"", "Sire Line", "Dam-Sire Line", "Dam's Dam-Sire Line"},
        {"Horse", "IRON DUKE", "STORM BAY", "SMOKY LION"},
        {"Sire", "PROUD VICTORY", "EAGER WISH", "STORM FOREST"},
        {"Dam-Sire", "MIGHTY LEGEND", "CRIMSON PEARL", "SECRET DIAMOND"},
        {"Sire's Sire", "WINDY TRIUMPH", "SMOKY LION", "BRAVE PRINCESS"}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(form.MSFlexGrid1.text(r, c), expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    EXPECT_EQ(form.MSFlexGrid1.row(), 0);
    EXPECT_EQ(form.MSFlexGrid1.col(), 1);
}

TEST(LineageServer, FileBesideTheProgramNamesTheServer) {
    testing_support::TestFolder folder;
    const std::string programFolder = folder.path().string() + "/";
    EXPECT_EQ(lineage::serverAddress(programFolder), lineage::defaultServerAddress());
    testing_support::writeBytes(folder / "HarrowdexServer.txt", "\xEF\xBB\xBF  http://10.0.0.7:8080/ \r\nsecond line\r\n");
    EXPECT_EQ(lineage::serverAddress(programFolder), "http://10.0.0.7:8080/");
    EXPECT_EQ(lineage::horsePageAddress(lineage::serverAddress(programFolder), "7"),
              "http://10.0.0.7:8080/hr/runtime/onehoss.asp?hossnum=7");
    testing_support::writeBytes(folder / "HarrowdexServer.txt", " \r\n");
    EXPECT_EQ(lineage::serverAddress(programFolder), lineage::defaultServerAddress());
}

}  // namespace
