// SPDX-License-Identifier: MIT
// A web server that misbehaves: it closes the connection part way through its answer, or
// the configured address is odd. The lookup fails with its message and shows no page.
#include "shell/main_finder.h"
#include "lineage/http_page_fetcher.h"
#include "samples.h"
#include "lineage/lineage_lookup.h"

#include "local_http_server.h"
#include "scripted_dialogs.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using testing_support::LocalHttpServer;

const std::string kPagePath = "/hr/runtime/onehoss.asp?hossnum=742503";

std::string normalPage() {
    return testing_support::readBytes(testing_support::kSamplesDir + "/horse_page_normal.html");
}

class LineageServerFaults : public ::testing::Test {
protected:
    LocalHttpServer server;
    lineage::HttpPageFetcher fetcher;
};

TEST_F(LineageServerFaults, AnswerCutShortInItsHeadOrFramedBodyIsAFailedTransfer) {
    const std::string page = normalPage();
    for (const auto framing : {LocalHttpServer::Framing::ContentLength, LocalHttpServer::Framing::Chunked}) {
        // In the status line, in the headers, early in the body, near its end.
        for (const std::size_t cut : {std::size_t{5}, std::size_t{60}, std::size_t{150}, page.size()}) {
            server.answer(kPagePath, {page, 200, 0ms, framing, cut});
            EXPECT_EQ(fetcher.fetch(server.address() + kPagePath, 5s), std::nullopt)
                << "framing " << static_cast<int>(framing) << ", cut after " << cut;
        }
    }
}

TEST_F(LineageServerFaults, LookupOfACutAnswerShowsTheConnectionMessageAndNoPage) {
    server.answer(kPagePath, {normalPage(), 200, 0ms, LocalHttpServer::Framing::Chunked, 1000});
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
    window.setUpControls();
    window.MSFlexGrid1.setText(1, 0, "Black Dasher");
    window.MSFlexGrid1.setText(1, 1, "742503");
    EXPECT_FALSE(lineage::getlineage_Click(window, fetcher, server.address()));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].rfind(lineage::kConnectionFailed + "\r", 0), 0u);
    EXPECT_EQ(dialogs.busyDepth, 0);
}

TEST_F(LineageServerFaults, ServerAddressEndingInAFragmentAsksForTheRoot) {
    // A "#" straight after the host once read the first character of an empty path.
    server.answer("/", {"root"});
    EXPECT_EQ(fetcher.fetch(server.address() + "#top", 5s), "root");
    EXPECT_EQ(fetcher.fetch(server.address() + "#", 5s), "root");
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"/", "/"}));
}

}  // namespace
