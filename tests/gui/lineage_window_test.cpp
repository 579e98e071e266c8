// SPDX-License-Identifier: MIT
#include "lineage/lineage_lookup.h"
#include "lineage/lineage_window.h"
#include "lineage/qt_page_fetcher.h"
#include "local_http_server.h"
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "shell/main_finder_window.h"
#include "shell/qt_grid_view.h"
#include "shell/qt_twips.h"
#include "store/schema.h"
#include "test_folder.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using testing_support::LocalHttpServer;
using testing_support::readBytes;

const std::string kSamples = HARROWDEX_SAMPLES_DIR;
const std::string kBlackDasher = "/hr/runtime/onehoss.asp?hossnum=742503";
const std::string kBlazingTreasure = "/hr/runtime/onehoss.asp?hossnum=1288";

// The main window shown headless, its results grid listing two horses, and a local web
// server named in the program folder's server file.
class LineageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(folder / "horses.mdb");
        testing_support::writeBytes(folder / "HarrowdexServer.txt", server.address() + "\r\n");
        ASSERT_TRUE(finder.Form_Load({folder.path().string(), (folder / "breeding.txt").string()}));
        server.answer(kBlackDasher, {readBytes(kSamples + "/horse_page_normal.html")});
        server.answer(kBlazingTreasure, {readBytes(kSamples + "/horse_page_homebred.html")});
        auto& grid = finder.MSFlexGrid1;
        grid.setRows(3);
        grid.setText(1, 0, "Black Dasher");
        grid.setText(1, 1, "742503");
        grid.setText(2, 0, "Blazing Treasure");
        grid.setText(2, 1, "1288");
        window = std::make_unique<shell::MainFinderWindow>(finder);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // "Get Lineage Info." on data row `row`; the lineage windows open afterwards.
    std::vector<lineage::LineageWindow*> requestRow(int row) {
        finder.MSFlexGrid1.select(row, 0, row, 0);
        window->findChild<QAction*>("getlineage")->trigger();
        std::vector<lineage::LineageWindow*> open;
        for (auto* each : window->findChildren<lineage::LineageWindow*>("frmlineage"))
            if (each->isVisible()) open.push_back(each);
        return open;
    }

    static QString text(QWidget* lineage, const char* name) { return lineage->findChild<QLabel*>(name)->text(); }
    static shell::GridModel& pedigree(QWidget* lineage) {
        return lineage->findChild<shell::GridView*>("MSFlexGrid1")->grid();
    }

    LocalHttpServer server;
    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder finder{dialogs};
    std::unique_ptr<shell::MainFinderWindow> window;
};

TEST_F(LineageWindowTest, ShowsThePageServedForTheSelectedRow) {
    EXPECT_TRUE(window->findChild<QAction*>("getlineage")->isEnabled());
    const auto open = requestRow(1);
    ASSERT_EQ(open.size(), 1u);
    QWidget* lineage = open.front();
    EXPECT_EQ(lineage->windowTitle(), "Lineage and Statistics");
    EXPECT_FALSE(lineage->isModal());
    EXPECT_EQ(lineage->width(), shell::twipsToPixelsX(8460, lineage));
    EXPECT_EQ(lineage->height(), shell::twipsToPixelsY(4155, lineage));
    EXPECT_EQ(text(lineage, "lbllineage"), "Lineage of 'Black Dasher'  (742503)");
    EXPECT_TRUE(lineage->findChild<QLabel*>("lbllineage")->font().bold());
    EXPECT_EQ(text(lineage, "lblmisc"), "Owner:   REID THOROUGHBREDS\n\nDk filly, 2 years old, bred in Durham County\n\n"
                                        "Div. Ranking: 140\nLow Claim-Tag/Year: $25,000\nNon M/C/O/S Wins: 7");
    EXPECT_EQ(text(lineage, "lblwinstats"),
              "Earnings:  $99,986\n\nWins in the last:\n3 months: 1\n6 months: 2\n9 months: 2\nYear: 5");
    EXPECT_EQ(lineage->findChild<QGroupBox*>("fra1")->title(), "Miscellaneous Stats");
    EXPECT_EQ(lineage->findChild<QGroupBox*>("fra2")->title(), "Win Stats");
    const shell::GridModel& grid = pedigree(lineage);
    EXPECT_EQ(grid.columnWidth(0), 1013);
    EXPECT_EQ(grid.columnWidth(3), 2309);
    EXPECT_EQ(grid.text(0, 3), "Dam's Dam-Sire Line");
    EXPECT_EQ(grid.text(4, 0), "Sire's Sire");
    EXPECT_EQ(grid.text(1, 1), "IRON DUKE");
    EXPECT_EQ(grid.text(4, 3), "BRAVE PRINCESS");
    EXPECT_EQ(server.requests(), std::vector<std::string>{kBlackDasher});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LineageWindowTest, SecondRequestReplacesEveryTextOfTheOpenWindow) {
    QWidget* first = requestRow(1).front();
    const auto open = requestRow(2);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open.front(), first);
    EXPECT_EQ(text(first, "lbllineage"), "Lineage of 'Blazing Treasure'  (1288)");
    EXPECT_EQ(text(first, "lblmisc").left(24), "Owner:   FISHER & HARRIS");
    EXPECT_TRUE(text(first, "lblmisc").contains("B filly, 3 years old, HOMEBRED"));
    EXPECT_EQ(text(first, "lblwinstats").left(18), "Earnings:  $83,630");
    EXPECT_EQ(pedigree(first).text(1, 1), "OLD CROWN");
    EXPECT_EQ(pedigree(first).text(4, 3), "RUSTY ROCKET");
}

TEST_F(LineageWindowTest, ClosedWindowGivesWayToANewOne) {
    QWidget* first = requestRow(1).front();
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto open = requestRow(2);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(text(open.front(), "lbllineage"), "Lineage of 'Blazing Treasure'  (1288)");
    EXPECT_EQ(pedigree(open.front()).columnWidth(1), 2309);
    EXPECT_EQ(window->findChildren<lineage::LineageWindow*>().size(), 1);
}

TEST_F(LineageWindowTest, FailedRequestLeavesTheOpenWindowAsItWas) {
    QWidget* first = requestRow(1).front();
    server.answer(kBlazingTreasure, {""});
    EXPECT_EQ(requestRow(2).front(), first);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{lineage::kConnectionFailed});
    EXPECT_EQ(text(first, "lbllineage"), "Lineage of 'Black Dasher'  (742503)");
    EXPECT_EQ(pedigree(first).text(1, 1), "IRON DUKE");
}

TEST_F(LineageWindowTest, AnotherHorseOnThePageOpensOnlyAfterYes) {
    finder.MSFlexGrid1.setText(1, 0, "Black Dancer");
    dialogs.answers = {false, true};
    EXPECT_TRUE(requestRow(1).empty());
    const auto open = requestRow(1);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>(2, lineage::kHorseNoLongerExists));
    EXPECT_EQ(text(open.front(), "lbllineage"), "Lineage of 'Black Dasher'  (742503)");
}

TEST_F(LineageWindowTest, WaitKeepsTheWindowPaintingAndStartsNoSecondRequest) {
    server.answer(kBlackDasher, {readBytes(kSamples + "/horse_page_normal.html"), 200, 500ms});
    bool ranWhileWaiting = false;
    QTimer::singleShot(100ms, window.get(), [&] {
        ranWhileWaiting = true;
        EXPECT_EQ(dialogs.busyDepth, 1);
        EXPECT_EQ(finder.lblprogress.caption, "Fetching the page of horse 742503...");
        window->findChild<QAction*>("getlineage")->trigger();
    });
    ASSERT_EQ(requestRow(1).size(), 1u);
    EXPECT_TRUE(ranWhileWaiting);
    EXPECT_EQ(server.requests(), std::vector<std::string>{kBlackDasher});
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_EQ(finder.lblprogress.caption, "");
}

TEST(QtPageFetcher, AnswersOfTheServer) {
    LocalHttpServer server;
    lineage::QtPageFetcher fetcher;
    const std::string page = readBytes(kSamples + "/horse_page_normal.html");
    server.answer("/page", {page, 200, 0ms, LocalHttpServer::Framing::Chunked});
    server.answer("/empty", {""});
    server.answer("/slow", {page, 200, 20s});
    EXPECT_EQ(fetcher.fetch(server.address() + "/page", 5s), page);
    EXPECT_EQ(fetcher.fetch(server.address() + "/empty", 5s), "");
    EXPECT_EQ(fetcher.fetch(server.address() + "/missing", 5s), std::nullopt);
    EXPECT_EQ(fetcher.fetch(server.address() + "/slow", 300ms), std::nullopt);
    EXPECT_FALSE(fetcher.pending());
    int refusing = -1;
    const int port = LocalHttpServer::refusingPort(refusing);
    EXPECT_EQ(fetcher.fetch("http://127.0.0.1:" + std::to_string(port) + "/", 5s), std::nullopt);
    ::close(refusing);
    EXPECT_EQ(fetcher.fetch("not an address", 5s), std::nullopt);
}

}  // namespace
