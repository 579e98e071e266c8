// SPDX-License-Identifier: MIT
#include "lineage/lineage_lookup.h"
#include "lineage/qt/lineage_window.h"
#include "lineage/qt/window_page_fetcher.h"
#include "local_http_server.h"
#include "base/qt/grid_view.h"
#include "base/qt/twips.h"
#include "shown_main_window.h"

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

using testing_support::kSamplesDir;
const std::string kBlackDasher = "/hr/runtime/onehoss.asp?hossnum=742503";
const std::string kBlazingTreasure = "/hr/runtime/onehoss.asp?hossnum=1288";

std::string normalPage() { return readBytes(kSamplesDir + "/horse_page_normal.html"); }

// The normal page showing another name in its name field.
std::string pageNamed(const std::string& name) {
    std::string page = normalPage();
    return page.replace(page.find("\r\nBlack Dasher\r\n") + 2, 12, name);
}

// Brings the window up to date whenever the core repaints, as the program's own dialogs do.
class RepaintingDialogs : public testing_support::ScriptedDialogs {
public:
    app::MainFinderWindow* window = nullptr;
    void repaintNow() override {
        ScriptedDialogs::repaintNow();
        if (window) window->repaintState();
    }
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The main window shown headless, its results grid listing two horses, and a local web
// server named in the program folder's server file.
class LineageWindowTest : public testing_support::EmptyStoreWindowWith<RepaintingDialogs> {
protected:
    void SetUp() override {
        testing_support::writeBytes(folder / "HarrowdexServer.txt", server.address() + "\r\n");
        ASSERT_NO_FATAL_FAILURE(startUp());
        server.answer(kBlackDasher, {normalPage()});
        server.answer(kBlazingTreasure, {readBytes(kSamplesDir + "/horse_page_homebred.html")});
        auto& grid = finder.MSFlexGrid1;
        grid.setRows(3);
        grid.setText(1, 0, "Black Dasher");
        grid.setText(1, 1, "742503");
        grid.setText(2, 0, "Blazing Treasure");
        grid.setText(2, 1, "1288");
        ASSERT_NO_FATAL_FAILURE(showWindow());
        dialogs.window = window.get();
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
    static base::GridModel& pedigree(QWidget* lineage) {
        return lineage->findChild<base::GridView*>("MSFlexGrid1")->grid();
    }
    static std::vector<std::vector<std::string>> cells(const base::GridModel& grid) {
        std::vector<std::vector<std::string>> all;
        for (int r = 0; r < grid.rows(); ++r) {
            all.emplace_back();
            for (int c = 0; c < grid.cols(); ++c) all.back().push_back(grid.text(r, c));
        }
        return all;
    }

    LocalHttpServer server;
};

TEST_F(LineageWindowTest, ShowsThePageServedForTheSelectedRow) {
    EXPECT_TRUE(window->findChild<QAction*>("getlineage")->isEnabled());
    const auto open = requestRow(1);
    ASSERT_EQ(open.size(), 1u);
    QWidget* lineage = open.front();
    EXPECT_EQ(lineage->windowTitle(), "Lineage and Statistics");
    EXPECT_FALSE(lineage->isModal());
    EXPECT_EQ(lineage->width(), base::twipsToPixelsX(8460, lineage));
    EXPECT_EQ(lineage->height(), base::twipsToPixelsY(4155, lineage));
    EXPECT_EQ(text(lineage, "lbllineage"), "Lineage of 'Black Dasher'  (742503)");
    EXPECT_TRUE(lineage->findChild<QLabel*>("lbllineage")->font().bold());
    EXPECT_EQ(text(lineage, "lblmisc"), "Owner:   REID THOROUGHBREDS\n\nDk filly, 2 years old, bred in Durham County\n\n"
                                        "Div. Ranking: 140\nLow Claim-Tag/Year: $25,000\nNon M/C/O/S Wins: 7");
    EXPECT_EQ(text(lineage, "lblwinstats"),
              "Earnings:  $99,986\n\nWins in the last:\n3 months: 1\n6 months: 2\n9 months: 2\nYear: 5");
    EXPECT_EQ(lineage->findChild<QGroupBox*>("fra1")->title(), "Miscellaneous Stats");
    EXPECT_EQ(lineage->findChild<QGroupBox*>("fra2")->title(), "Win Stats");
    const base::GridModel& grid = pedigree(lineage);
    EXPECT_EQ(grid.columnWidth(0), 1013);
    EXPECT_EQ(grid.columnWidth(3), 2309);
    EXPECT_EQ(cells(grid), (std::vector<std::vector<std::string>>{
                               {"", "Sire Line", "Dam-Sire Line", "Dam's Dam-Sire Line"},
                               {"Horse", "IRON DUKE", "STORM BAY", "SMOKY LION"},
                               {"Sire", "PROUD VICTORY", "EAGER WISH", "STORM FOREST"},
                               {"Dam-Sire", "MIGHTY LEGEND", "CRIMSON PEARL", "SECRET DIAMOND"},
                               {"Sire's Sire", "WINDY TRIUMPH", "SMOKY LION", "BRAVE PRINCESS"}}));
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
    first->activateWindow();
    QTest::keyClick(first, Qt::Key_Escape);  // closes it, as it closes a dialog
    EXPECT_FALSE(first->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto open = requestRow(2);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(text(open.front(), "lbllineage"), "Lineage of 'Blazing Treasure'  (1288)");
    EXPECT_EQ(pedigree(open.front()).columnWidth(1), 2309);
    EXPECT_EQ(window->findChildren<lineage::LineageWindow*>().size(), 1);
}

TEST_F(LineageWindowTest, FailedRequestLeavesTheOpenWindowAsItWas) {
    lineage::LineageWindow* first = requestRow(1).front();
    // An empty body, a page the server does not have, a server that refuses.
    server.answer(kBlazingTreasure, {""});
    EXPECT_EQ(requestRow(2), std::vector<lineage::LineageWindow*>{first});
    finder.MSFlexGrid1.setText(2, 1, "404");
    EXPECT_EQ(requestRow(2), std::vector<lineage::LineageWindow*>{first});
    int refusing = -1;
    const int port = LocalHttpServer::refusingPort(refusing);
    testing_support::writeBytes(folder / "HarrowdexServer.txt", "http://127.0.0.1:" + std::to_string(port));
    EXPECT_EQ(requestRow(1), std::vector<lineage::LineageWindow*>{first});
    ::close(refusing);
    // Each time the fixed text, then why.
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0], lineage::kConnectionFailed + "\rThe server's answer was empty.");
    EXPECT_EQ(dialogs.messages[1], lineage::kConnectionFailed + "\r" + lineage::httpStatusReason(404));
    EXPECT_EQ(dialogs.messages[2].rfind(lineage::kConnectionFailed + "\r", 0), 0u);
    EXPECT_GT(dialogs.messages[2].size(), lineage::kConnectionFailed.size() + 2);
    EXPECT_EQ(server.requests(),
              (std::vector<std::string>{kBlackDasher, kBlazingTreasure, "/hr/runtime/onehoss.asp?hossnum=404"}));
    EXPECT_EQ(text(first, "lbllineage"), "Lineage of 'Black Dasher'  (742503)");
    EXPECT_EQ(pedigree(first).text(1, 1), "IRON DUKE");
}

TEST_F(LineageWindowTest, BeforeAnySearchTellsSoAndAsksTheServerNothing) {
    // The results grid as the window starts: the header row and one empty row.
    finder.MSFlexGrid1.setRows(2);
    finder.MSFlexGrid1.setText(1, 0, "");
    finder.MSFlexGrid1.setText(1, 1, "");
    EXPECT_TRUE(requestRow(1).empty());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{lineage::kNoSearchYet});
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(LineageWindowTest, NameInCapitalsOrCutByTheStoreIsTheSameHorse) {
    server.answer(kBlackDasher, {pageNamed("BLACK DASHER")});
    const std::string crimsonQueen = "/hr/runtime/onehoss.asp?hossnum=531";
    server.answer(crimsonQueen, {pageNamed("CRIMSON QUEEN OF WETHERBY CANNON")});
    // The race store keeps the first 25 characters of the name.
    finder.MSFlexGrid1.setText(2, 0, "Crimson Queen Of Wetherby");
    finder.MSFlexGrid1.setText(2, 1, "531");
    ASSERT_EQ(requestRow(1).size(), 1u);
    const auto open = requestRow(2);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(text(open.front(), "lbllineage"), "Lineage of 'Crimson Queen Of Wetherby Cannon'  (531)");

    // Any other letter within the 25 is another horse.
    server.answer(crimsonQueen, {pageNamed("CRIMSON QUEEN OF WETHERBX CANNON")});
    dialogs.answers = {false};
    requestRow(2);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{lineage::kHorseNoLongerExists});
    EXPECT_EQ(text(open.front(), "lbllineage"), "Lineage of 'Crimson Queen Of Wetherby Cannon'  (531)");
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
    server.answer(kBlackDasher, {normalPage(), 200, 1000ms});
    finder.lblprogress.caption = "Statistics for Black Dasher";
    window->showState();
    auto* status = window->findChild<QLabel*>("lblprogress");
    const PaintCounter counter(status);
    QString statusWhileWaiting;
    int busyWhileWaiting = 0;
    int paintsBefore = 0;
    QTimer::singleShot(100ms, window.get(), [&] {
        statusWhileWaiting = status->text();
        busyWhileWaiting = dialogs.busyDepth;
        paintsBefore = counter.paints;
        status->update();
        window->findChild<QAction*>("getlineage")->trigger();
    });
    bool stillWaiting = false;
    int paintsWhileWaiting = 0;
    QTimer::singleShot(400ms, window.get(), [&] {
        stillWaiting = window->findChild<lineage::WindowPageFetcher*>("Inet")->pending();
        paintsWhileWaiting = counter.paints - paintsBefore;
    });
    ASSERT_EQ(requestRow(1).size(), 1u);
    EXPECT_EQ(statusWhileWaiting, "Fetching the page of horse 742503...");
    EXPECT_EQ(busyWhileWaiting, 1);
    ASSERT_TRUE(stillWaiting);
    EXPECT_GT(paintsWhileWaiting, 0);
    EXPECT_EQ(server.requests(), std::vector<std::string>{kBlackDasher});
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_EQ(status->text(), "Statistics for Black Dasher");
}

TEST(WindowPageFetcher, AnswersOfTheServer) {
    LocalHttpServer server;
    lineage::WindowPageFetcher fetcher;
    const std::string page = readBytes(kSamplesDir + "/horse_page_normal.html");
    server.answer("/page", {page, 200, 0ms, LocalHttpServer::Framing::Chunked});
    server.answer("/empty", {""});
    server.answer("/slow", {page, 200, 20s});
    EXPECT_EQ(fetcher.fetch(server.address() + "/page", 5s), page);
    EXPECT_EQ(fetcher.fetch(server.address() + "/empty", 5s), "");
    EXPECT_EQ(fetcher.fetch(server.address() + "/missing", 5s), std::nullopt);
    server.answer("/endless", {std::string(65536, 'x'), 200, 0ms, LocalHttpServer::Framing::Endless});
    EXPECT_EQ(fetcher.fetch(server.address() + "/endless", 30s), std::nullopt);
    EXPECT_EQ(fetcher.failureReason(), lineage::pageTooLargeReason());
    EXPECT_EQ(fetcher.fetch(server.address() + "/slow", 300ms), std::nullopt);
    EXPECT_EQ(fetcher.failureReason(), "The server did not answer in full within 0.3 seconds.");
    EXPECT_FALSE(fetcher.pending());
    int refusing = -1;
    const int port = LocalHttpServer::refusingPort(refusing);
    EXPECT_EQ(fetcher.fetch("http://127.0.0.1:" + std::to_string(port) + "/", 5s), std::nullopt);
    ::close(refusing);
    EXPECT_EQ(fetcher.fetch("not an address", 5s), std::nullopt);
}

}  // namespace
