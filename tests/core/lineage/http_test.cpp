// SPDX-License-Identifier: MIT
// The lineage lookup against a real HTTP server on 127.0.0.1, through the command line
// tool's HTTP client and through the tool itself.
#include "lineage/http_page_fetcher.h"
#include "samples.h"
#include "lineage/lineage_lookup.h"

#include "program_runner.h"
#include "local_http_server.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using testing_support::LocalHttpServer;
using testing_support::readBytes;
using testing_support::runCli;

using testing_support::kSamplesDir;
const std::string kNormalPath = "/hr/runtime/onehoss.asp?hossnum=742503";
const std::string kHomebredPath = "/hr/runtime/onehoss.asp?hossnum=1288";

std::string normalPage() { return readBytes(kSamplesDir + "/horse_page_normal.html"); }

class LineageOverHttp : public ::testing::Test {
protected:
    std::optional<std::string> fetch(const std::string& path, std::chrono::milliseconds timeout = 5s) {
        return fetcher.fetch(server.address() + path, timeout);
    }

    LocalHttpServer server;
    lineage::HttpPageFetcher fetcher;
};

TEST_F(LineageOverHttp, PagesArriveByteForByteInEveryFraming) {
    for (const auto framing : {LocalHttpServer::Framing::ContentLength, LocalHttpServer::Framing::Chunked,
                               LocalHttpServer::Framing::ConnectionClose}) {
        server.answer(kNormalPath, {normalPage(), 200, 0ms, framing});
        EXPECT_EQ(fetch(kNormalPath), normalPage());
    }
    EXPECT_EQ(server.requests(), std::vector<std::string>(3, kNormalPath));
}

TEST_F(LineageOverHttp, EmptyBodyErrorStatusSlowAnswerAndRefusalFail) {
    server.answer("/empty", {""});
    EXPECT_EQ(fetch("/empty"), "");
    server.answer("/broken", {"<html>Internal error</html>", 500});
    EXPECT_EQ(fetch("/broken"), std::nullopt);
    EXPECT_EQ(fetcher.failureReason(), lineage::httpStatusReason(500));
    EXPECT_EQ(fetch("/unknown"), std::nullopt);

    server.answer("/slow", {normalPage(), 200, 20s});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetch("/slow", 300ms), std::nullopt);
    EXPECT_EQ(fetcher.failureReason(), "The server did not answer in full within 0.3 seconds.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);  // gave up long before the answer

    int refusing = -1;
    const int port = LocalHttpServer::refusingPort(refusing);
    EXPECT_EQ(fetcher.fetch("http://127.0.0.1:" + std::to_string(port) + "/", 5s), std::nullopt);
    ::close(refusing);
}

TEST_F(LineageOverHttp, CompleteAnswerOnAConnectionKeptOpenArrivesAtOnce) {
    server.answer(kNormalPath, {normalPage(), 200, 0ms, LocalHttpServer::Framing::ContentLength, std::string::npos,
                                true});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetch(kNormalPath, 20s), normalPage());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST_F(LineageOverHttp, AnswerBeyondTheLargestPageStopsWithItsReason) {
    server.answer("/endless", {std::string(65536, 'x'), 200, 0ms, LocalHttpServer::Framing::Endless});
    EXPECT_EQ(fetch("/endless", 30s), std::nullopt);
    EXPECT_EQ(fetcher.failureReason(), lineage::pageTooLargeReason());
    server.answer("/huge", {std::string(lineage::kLargestPage + 1, 'x')});
    EXPECT_EQ(fetch("/huge", 30s), std::nullopt);
    EXPECT_EQ(fetcher.failureReason(), lineage::pageTooLargeReason());
    server.answer("/largest", {std::string(lineage::kLargestPage, 'x'), 200, 0ms, LocalHttpServer::Framing::Chunked});
    EXPECT_EQ(fetch("/largest", 30s).value_or("").size(), lineage::kLargestPage);
    EXPECT_EQ(fetcher.failureReason(), "");
}

TEST_F(LineageOverHttp, AddressesItCannotServeFail) {
    for (const char* url : {"ftp://127.0.0.1/", "http://", "http://127.0.0.1:http/", "http://user@127.0.0.1/",
                            "127.0.0.1/page"}) {
        EXPECT_EQ(fetcher.fetch(url, 1s), std::nullopt) << url;
        EXPECT_EQ(fetcher.failureReason(), "The address " + std::string(url) +
                                               " is no http:// or https:// address of a server.");
    }
    server.answer("/", {"root"});
    EXPECT_EQ(fetcher.fetch("HTTP://127.0.0.1:" + server.address().substr(17), 5s), "root");
}

TEST_F(LineageOverHttp, CommandLinePrintsTheLineageWindowsTexts) {
    server.answer(kHomebredPath,
                  {readBytes(kSamplesDir + "/horse_page_homebred.html"), 200, 0ms, LocalHttpServer::Framing::Chunked});
    const auto result = runCli({"lineage", "--id", "1288", "--server", server.address()});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["title"], "Lineage of 'Blazing Treasure'  (1288)");
    EXPECT_EQ(json["misc"], "Owner:   FISHER & HARRIS\r\rB filly, 3 years old, HOMEBRED\r\rDiv. Ranking: 68\r"
                            "Low Claim-Tag/Year: $16,000\rNon M/C/O/S Wins: 6");
    EXPECT_EQ(json["winstats"], "Earnings:  $83,630\r\rWins in the last:\r3 months: 2\r6 months: 3\r9 months: 3\rYear: 5");
    EXPECT_EQ(json["pedigree"].size(), 4u);
    EXPECT_EQ(json["pedigree"][2], (std::vector<std::string>{"DUSTY RHYTHM", "HAPPY ISLAND", "WINDY TRIUMPH"}));
    EXPECT_EQ(result.err, "");
}

TEST_F(LineageOverHttp, CommandLineAsksAboutAnotherHorseAndTellsOfFailures) {
    server.answer(kNormalPath, {normalPage()});
    const auto no = runCli({"lineage", "--id", "742503", "--name", "Black Dancer", "--server", server.address()});
    EXPECT_EQ(no.status, 1);
    EXPECT_EQ(no.out, "");
    EXPECT_EQ(no.err, lineage::kHorseNoLongerExists + "\nAnswered: No\n");
    const auto yes =
        runCli({"lineage", "--id", "742503", "--name", "Black Dancer", "--server", server.address(), "--yes"});
    EXPECT_EQ(yes.status, 0);
    EXPECT_EQ(nlohmann::json::parse(yes.out)["title"], "Lineage of 'Black Dasher'  (742503)");

    server.answer("/hr/runtime/onehoss.asp?hossnum=5", {""});
    const auto empty = runCli({"lineage", "--id", "5", "--server", server.address()});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, lineage::kConnectionFailed + "\nThe server's answer was empty.\n");
    int refusing = -1;
    const int port = LocalHttpServer::refusingPort(refusing);
    const auto refused =
        runCli({"lineage", "--id", "5", "--name", "X", "--server", "http://127.0.0.1:" + std::to_string(port)});
    ::close(refusing);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.rfind(lineage::kConnectionFailed + "\nFailed to connect to 127.0.0.1 port " +
                                    std::to_string(port),
                                0),
              0u)
        << refused.err;
}

TEST(LineageCommandLine, SavedPageIsReadWithoutTheNetwork) {
    const auto result = runCli({"lineage", "--id", "742503", "--page", kSamplesDir + "/horse_page_normal.html",
                                "--server", "http://127.0.0.1:1"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["pedigree"][3][2], "BRAVE PRINCESS");

    // A page that names no horse is read all the same: its name is the one asked for.
    testing_support::TestFolder folder;
    testing_support::writeBytes(folder / "other.html", "<html>No horse has this number.</html>");
    const auto nameless = runCli({"lineage", "--id", "99", "--page", (folder / "other.html").string()});
    ASSERT_EQ(nameless.status, 0) << nameless.err;
    EXPECT_EQ(nlohmann::json::parse(nameless.out)["title"], "Lineage of ''  (99)");

    const auto missing = runCli({"lineage", "--id", "1", "--page", "/nonexistent/page.html"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot read the page file /nonexistent/page.html.\n");
    EXPECT_EQ(runCli({"lineage", "--page", kSamplesDir + "/horse_page_normal.html"}).status, 2);
}

}  // namespace
