// SPDX-License-Identifier: MIT
// A store written by an earlier build, or a breeding file, may hold texts that are not
// UTF-8: every listing still prints, those bytes replaced in JSON.
#include "cli_sample_store.h"
#include "store/database.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using testing_support::runCli;

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

class CliStoredBytes : public testing_support::CliSampleStore {
protected:
    static void SetUpTestSuite() {
        CliSampleStore::SetUpTestSuite();
        auto store = store::Database::open(db);
        store.prepare("UPDATE tblhorsedata SET hname = ?, oname = ? WHERE hid = 742503")
            .bind(1, std::string_view("Black Dasher\xFF"))
            .bind(2, std::string_view("Reid \xC3("))
            .step();
    }
};

TEST_F(CliStoredBytes, JsonListingsPrintWithTheBadBytesReplaced) {
    const auto horse = runCli({"search", "--db", db, "--id", "742503", "--format", "json"});
    ASSERT_EQ(horse.status, 0) << horse.err;
    const auto state = nlohmann::json::parse(horse.out);
    EXPECT_EQ(state["grid"][1][0], "Black Dasher" + kReplacement);
    EXPECT_EQ(state["grid"][1][15], "Reid " + kReplacement + "(");
    EXPECT_EQ(runCli({"search", "--db", db, "--id", "742503"}).status, 0);

    testing_support::TestFolder folder;
    std::string breeding = testing_support::readBytes(testing_support::kSamplesDir + "/breeding.txt");
    breeding.replace(breeding.find("Amber Venture"), 13, "Amber \x80Venture");
    testing_support::writeBytes(folder / "breeding.txt", breeding);
    const auto progeny = runCli({"progeny", "--db", db, "--breeding", (folder / "breeding.txt").string(), "--sire",
                                 "Iron Duke", "--starts", "1", "--format", "json"});
    ASSERT_EQ(progeny.status, 0) << progeny.err;
    EXPECT_NE(progeny.out.find("Amber " + kReplacement + "venture"), std::string::npos);
}

}  // namespace
