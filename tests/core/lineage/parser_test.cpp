// SPDX-License-Identifier: MIT
#include "lineage/horse_page_parser.h"
#include "samples.h"

#include "test_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using lineage::HorsePage;
using lineage::parseHorsePage;
using lineage::Pedigree;

using testing_support::kSamplesDir;

std::string samplePage(const char* name) { return testing_support::readBytes(kSamplesDir + "/" + name); }
std::string normalPage() { return samplePage("horse_page_normal.html"); }

// The page with its one occurrence of `from` replaced by `to`.
std::string edited(std::string page, const std::string& from, const std::string& to) {
    const auto at = page.find(from);
    if (at == std::string::npos || page.find(from, at + 1) != std::string::npos)
        throw std::logic_error("not exactly once in the page: " + from);
    return page.replace(at, from.size(), to);
}

const std::string kNormalDescription = "Dk filly, 2 years old, bred in Durham County";
const std::string kNormalMisc =
    "Owner:   REID THOROUGHBREDS\r\rDk filly, 2 years old, bred in Durham County\r\rDiv. Ranking: 140\r"
    "Low Claim-Tag/Year: $25,000\rNon M/C/O/S Wins: 7";
const std::string kNormalWinstats =
    "Earnings:  $99,986\r\rWins in the last:\r3 months: 1\r6 months: 2\r9 months: 2\rYear: 5";
const Pedigree kNormalPedigree{{{"IRON DUKE", "STORM BAY", "SMOKY LION"},
                                {"PROUD VICTORY", "EAGER WISH", "STORM FOREST"},
                                {"MIGHTY LEGEND", "CRIMSON PEARL", "SECRET DIAMOND"},
                                {"WINDY TRIUMPH", "SMOKY LION", "BRAVE PRINCESS"}}};

TEST(HorsePageParser, NormalPageGivesEveryText) {
    const HorsePage horse = parseHorsePage(normalPage());
    EXPECT_EQ(horse.name, "Black Dasher");
    EXPECT_EQ(horse.misc, kNormalMisc);
    EXPECT_EQ(horse.winstats, kNormalWinstats);
    EXPECT_EQ(horse.pedigree, kNormalPedigree);
}

TEST(HorsePageParser, WinStatsAreSevenLinesInOrder) {
    const std::string winstats = parseHorsePage(normalPage()).winstats;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = winstats.find('\r'); ; end = winstats.find('\r', start)) {
        lines.push_back(winstats.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"Earnings:  $99,986", "", "Wins in the last:", "3 months: 1",
                                               "6 months: 2", "9 months: 2", "Year: 5"}));
}

TEST(HorsePageParser, HomebredPageKeepsItsOneLetterValueAndShowsHomebred) {
    const HorsePage horse = parseHorsePage(samplePage("horse_page_homebred.html"));
    EXPECT_EQ(horse.name, "Blazing Treasure");
    EXPECT_EQ(horse.misc,
              "Owner:   FISHER & HARRIS\r\rB filly, 3 years old, HOMEBRED\r\rDiv. Ranking: 68\r"
              "Low Claim-Tag/Year: $16,000\rNon M/C/O/S Wins: 6");
    EXPECT_EQ(horse.winstats, "Earnings:  $83,630\r\rWins in the last:\r3 months: 2\r6 months: 3\r9 months: 3\rYear: 5");
    EXPECT_EQ(horse.pedigree[0][0], "OLD CROWN");
    EXPECT_EQ(horse.pedigree[3][2], "RUSTY ROCKET");
}

std::string descriptionOf(const std::string& field) {
    const std::string page = edited(normalPage(), "Dk\r\nfilly, 2 years old, bred in Durham County", field);
    const std::string misc = parseHorsePage(page).misc;
    const auto start = misc.find("\r\r") + 2;
    return misc.substr(start, misc.find("\r\rDiv.") - start);
}

TEST(HorsePageParser, DescriptionSkipsTheTwoCharactersAfterItsValue) {
    EXPECT_EQ(descriptionOf("B\r\nbay colt"), "B bay colt");
    EXPECT_EQ(descriptionOf("Gr\r\ngrey gelding"), "Gr grey gelding");
    EXPECT_EQ(descriptionOf("Ch, chestnut"), "Ch chestnut");  // whatever the two are
    EXPECT_EQ(descriptionOf("B\r\n"), "B ");
    // The value and its two characters need to fit before the field's end.
    EXPECT_EQ(descriptionOf("B"), "");
    EXPECT_EQ(descriptionOf("Dk\r"), "");
}

TEST(HorsePageParser, BoldPartOfTheDescriptionBecomesHomebred) {
    EXPECT_EQ(descriptionOf("B\r\nfilly, <b>bred by owner</b>, 3"), "B filly, HOMEBRED, 3");
    EXPECT_EQ(descriptionOf("Dk\r\n<b>x</b>"), "Dk HOMEBRED");
    EXPECT_EQ(descriptionOf("Dk\r\n<b></b> colt <b>again</b>"), "Dk HOMEBRED colt <b>again</b>");
    // A bold part that never ends would show markup: the field stays empty.
    EXPECT_EQ(descriptionOf("Dk\r\nfilly <b>bred by owner"), "");
}

TEST(HorsePageParser, NameInCapitalsIsShownInCapitalisedWords) {
    const std::string page = edited(normalPage(), "Black Dasher", "BLACK DASHER");
    EXPECT_EQ(parseHorsePage(page).name, "Black Dasher");
    EXPECT_EQ(parseHorsePage(edited(normalPage(), "Black Dasher", "o'brien's DASHER")).name, "O'brien's Dasher");
}

// A page broken in one place: that field is empty and every other is as on the sample.
struct BrokenMarker {
    const char* from;
    const char* to;
    void (*expect)(HorsePage&);  // turns the sample's texts into the expected ones
};

void replaceIn(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

const BrokenMarker kBrokenMarkers[] = {
    {"font size=4", "font size=5", [](HorsePage& h) { h.name = ""; }},
    {"&idno=&name=", "&idno=&nom=", [](HorsePage& h) { replaceIn(h.misc, "REID THOROUGHBREDS", ""); }},
    {"ID# 742503", "No. 742503", [](HorsePage& h) { replaceIn(h.misc, kNormalDescription, ""); }},
    {"<font size=2>", "<font size=3>", [](HorsePage& h) { replaceIn(h.misc, kNormalDescription, ""); }},
    {"County</font>", "County</span>", [](HorsePage& h) { replaceIn(h.misc, kNormalDescription, ""); }},
    {"Divisional Ranking:", "Division:", [](HorsePage& h) { replaceIn(h.misc, "Ranking: 140", "Ranking: "); }},
    {"Low Claim-Tag/Year<", "Low Tag<", [](HorsePage& h) { replaceIn(h.misc, "Year: $25,000", "Year: "); }},
    {"Non M/C/O/S", "Non-MCOS", [](HorsePage& h) { replaceIn(h.misc, "Wins: 7", "Wins: "); }},
    {"3 months:", "Quarter:",
     [](HorsePage& h) { h.winstats = "Earnings:  $99,986\r\rWins in the last:\r3 months: \r6 months: \r9 months: \rYear: "; }},
    {"Year: <b>5</b>", "Year: 5", [](HorsePage& h) { replaceIn(h.winstats, "Year: 5", "Year: "); }},
    {"<th>Sire's Sire</th>", "<th>Grandsire</th>", [](HorsePage& h) { h.pedigree[3] = {"", "", ""}; }},
};

TEST(HorsePageParser, MissingMarkerEmptiesOnlyItsField) {
    for (const auto& broken : kBrokenMarkers) {
        HorsePage expected = parseHorsePage(normalPage());
        broken.expect(expected);
        const HorsePage horse = parseHorsePage(edited(normalPage(), broken.from, broken.to));
        EXPECT_EQ(horse.name, expected.name) << broken.from;
        EXPECT_EQ(horse.misc, expected.misc) << broken.from;
        EXPECT_EQ(horse.winstats, expected.winstats) << broken.from;
        EXPECT_EQ(horse.pedigree, expected.pedigree) << broken.from;
    }
}

TEST(HorsePageParser, NegativeLengthsLeaveTheFieldEmpty) {
    // The name's end lies two characters before its cell's end: before its start here.
    EXPECT_EQ(parseHorsePage(edited(normalPage(), "size=4>\r\nBlack Dasher\r\n</td>", "size=4>\r\n</td>")).name, "");
    const std::string noTag = edited(normalPage(), "$25,000\r\n  </td>", "</td>");
    EXPECT_NE(parseHorsePage(noTag).misc.find("\rLow Claim-Tag/Year: \rNon M/C/O/S Wins: 7"), std::string::npos);
}

TEST(HorsePageParser, EmptyOrForeignPagesGiveEmptyFields) {
    for (const std::string page : {"", "<html><body>Service unavailable</body></html>", "$", "font size=4",
                                   "Horse</th><a", "3 months: <b>"}) {
        const HorsePage horse = parseHorsePage(page);
        EXPECT_EQ(horse.name, "") << page;
        EXPECT_EQ(horse.misc, "Owner:   \r\r\r\rDiv. Ranking: \rLow Claim-Tag/Year: \rNon M/C/O/S Wins: ") << page;
        EXPECT_EQ(horse.winstats, "Earnings:  \r\rWins in the last:\r3 months: \r6 months: \r9 months: \rYear: ") << page;
        EXPECT_EQ(horse.pedigree, Pedigree{}) << page;
    }
}

TEST(HorsePageParser, PagesBeyondSixteenBitPositionsAreReadWhole) {
    const std::string padding = "<!--" + std::string(70000, 'x') + "-->";
    const HorsePage horse = parseHorsePage(edited(normalPage(), "<body bgcolor=white>", padding));
    EXPECT_EQ(horse.name, "Black Dasher");
    EXPECT_EQ(horse.misc, kNormalMisc);
    EXPECT_EQ(horse.winstats, kNormalWinstats);
    EXPECT_EQ(horse.pedigree, kNormalPedigree);
}

TEST(HorsePageParser, RowMarkersAreTheirFirstOccurrenceOnThePage) {
    // A header ending in "Sire</th>" comes first: the Sire and Dam-Sire rows read on from
    // there, as the page's layout is assumed, and find the Horse row's names.
    const std::string page = edited(normalPage(), "<th>Dam's Dam-Sire Line</th>", "<th>Dam's Dam-Sire</th>");
    const HorsePage horse = parseHorsePage(page);
    EXPECT_EQ(horse.pedigree[1], kNormalPedigree[0]);
    EXPECT_EQ(horse.pedigree[2], kNormalPedigree[0]);
    EXPECT_EQ(horse.pedigree[3], kNormalPedigree[3]);
}

}  // namespace
