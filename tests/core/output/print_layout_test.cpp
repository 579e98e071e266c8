// SPDX-License-Identifier: MIT
#include "output/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

namespace {

using output::TextPlacement;

constexpr output::PageSize kLetterLandscape{15120, 11520};  // 10.5 by 8 inches printable

// Characters of a UTF-8 text (the ellipsis is one).
int characters(const std::string& text) {
    return static_cast<int>(
        std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// x of a character column of the listing.
constexpr int col(int k) { return 1344 + 96 * k; }

const std::array<std::string, 18> kFullRow{
    "Rapid Water", "1234", "312.0507",        "3U",    "AZ", "A", "8.5", "D", "07.5", "1", "12", "3", "10000",
    "3.00",        "6000", "Fisher & Harris", "12500", "5"};

// A horse-layout grid of `rows` data rows, each a copy of `cells` with its name numbered,
// coloured as a fast dirt race.
base::GridModel listing(int rows, const std::array<std::string, 18>& cells = kFullRow) {
    base::GridModel grid(rows + 1, 18);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < 18; ++c) grid.setText(r, c, cells[static_cast<std::size_t>(c)]);
        if (rows > 1) grid.setText(r, 0, "Horse " + std::to_string(r));
        grid.select(r, 0, r, 17);
        grid.setCellForeColour(base::kDirtFast);
    }
    return grid;
}

// The regular (not bold) texts of a page, the printed rows.
std::vector<TextPlacement> rowTexts(const output::PrintedPage& page) {
    std::vector<TextPlacement> texts;
    std::ranges::copy_if(page.texts, std::back_inserter(texts), [](const TextPlacement& t) { return !t.bold; });
    return texts;
}

std::vector<TextPlacement> headings(const output::PrintedPage& page, int top) {
    std::vector<TextPlacement> texts;
    std::ranges::copy_if(page.texts, std::back_inserter(texts),
                         [top](const TextPlacement& t) { return t.bold && t.y == top; });
    return texts;
}

// The text printed at character column k of the only row of a one-row listing.
std::string textAt(const output::PrintLayout& layout, int k) {
    for (const auto& text : rowTexts(layout.pages.at(0)))
        if (text.x == col(k)) return text.text;
    return "(nothing)";
}

TEST(PrintLayout, FortySevenRowsFillOnePageAndTheFortyEighthStartsPageTwo) {
    EXPECT_EQ(output::layOutFindings(listing(47), "T", kLetterLandscape).pages.size(), 1u);

    const std::string title = "Statistics for Rapid Water";
    const auto layout = output::layOutFindings(listing(48), title, kLetterLandscape);
    ASSERT_EQ(layout.pages.size(), 2u);
    const auto& first = layout.pages[0];
    const auto& second = layout.pages[1];

    EXPECT_EQ(first.texts.front(), (TextPlacement{7700 - 72 * 26, 960, 12, true, title}));
    EXPECT_EQ(second.texts.front(), (TextPlacement{7920 - 72 * (26 + 8), 960, 12, true, title + ".  Pg. 2"}));

    const auto firstHeadings = headings(first, 1440);
    ASSERT_EQ(firstHeadings.size(), 19u);
    EXPECT_EQ(firstHeadings, headings(second, 1440));
    EXPECT_EQ(firstHeadings.front(), (TextPlacement{col(0), 1440, 8, true, "Horse Name"}));

    std::set<int> tops;
    for (const auto& text : rowTexts(first)) tops.insert(text.y);
    ASSERT_EQ(tops.size(), 47u);
    EXPECT_EQ(*tops.begin(), 1633);
    EXPECT_EQ(*tops.rbegin(), 1633 + 193 * 46);
    EXPECT_EQ(rowTexts(first).back().y, 10511);

    const auto last = rowTexts(second);
    EXPECT_EQ(last.front(), (TextPlacement{col(0), 1633, 8, false, "Horse 48"}));
    EXPECT_TRUE(std::ranges::all_of(last, [](const TextPlacement& t) { return t.y == 1633; }));
}

TEST(PrintLayout, LaterPagesNumberThemselvesAndTitlesCountCharactersNotBytes) {
    const auto layout = output::layOutFindings(listing(100), "Caf\xC3\xA9", kLetterLandscape);
    ASSERT_EQ(layout.pages.size(), 3u);
    EXPECT_EQ(layout.pages[0].texts.front().x, 7700 - 72 * 4);
    EXPECT_EQ(layout.pages[2].texts.front().text, "Caf\xC3\xA9.  Pg. 3");
    EXPECT_EQ(layout.pages[2].texts.front().x, 7920 - 72 * 12);
    EXPECT_EQ(rowTexts(layout.pages[2]).front().text, "Horse 95");
}

TEST(PrintLayout, HeadingsStandAtTheirColumnsWithTheirBlanks) {
    const auto texts = headings(output::layOutFindings(listing(1), "T", kLetterLandscape).pages[0], 1440);
    const std::vector<std::pair<int, std::string>> expected{
        {0, "Horse Name"},  {28, "H.Id."},   {35, "  Race ID"},  {45, "Age"},       {50, "TR"},
        {53, "Typ"},        {57, "Dis"},     {62, "Surf"},       {67, "Con"},       {71, "   Sp"},
        {77, "Fn"},         {80, "Fd"},      {83, "PP"},         {86, "    Purse"}, {95, "    Odds"},
        {103, " Earnings"}, {112, " Owner"}, {124, " ClaimPr."}, {133, "  St"}};
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(texts[i].x, col(expected[i].first)) << expected[i].second;
        EXPECT_EQ(texts[i].text, expected[i].second);
    }
}

// The owner stops one blank before the claiming price's "$".
TEST(PrintLayout, EveryColumnFollowsItsPlacementRule) {
    const auto layout = output::layOutFindings(listing(1), "T", kLetterLandscape);
    const std::vector<std::pair<int, std::string>> expected{{0, "Rapid Water"},
                                                            {29, "1234"},
                                                            {36, "312.0507"},
                                                            {45, "3U"},
                                                            {50, "AZ"},
                                                            {53, "A"},
                                                            {57, "8.5"},
                                                            {62, "Dirt"},
                                                            {67, "Fst"},
                                                            {72, "07.5"},
                                                            {78, "1"},
                                                            {80, "12"},
                                                            {84, "3"},
                                                            {89, "$10000"},
                                                            {98, "$3.00"},
                                                            {107, "$6000"},
                                                            {113, "Fisher & Har\u2026"},
                                                            {127, "$12500"},
                                                            {136, "5"}};
    const auto texts = rowTexts(layout.pages[0]);
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(texts[i], (TextPlacement{col(expected[i].first), 1633, 8, false, expected[i].second}));
    }
}

TEST(PrintLayout, NamesAreCutAndEmptyMoneyCellsKeepTheirDollar) {
    auto cells = kFullRow;
    cells[0] = "Abcdefghij Klmnopqrst Uvwxyzabc";  // 31 characters
    cells[12] = cells[13] = cells[14] = cells[16] = "";
    cells[7] = "T";
    const auto layout = output::layOutFindings(listing(1, cells), "T", kLetterLandscape);
    EXPECT_EQ(textAt(layout, 0), "Abcdefghij Klmnopqrst U");
    EXPECT_EQ(textAt(layout, 94), "$");
    EXPECT_EQ(textAt(layout, 102), "$");
    EXPECT_EQ(textAt(layout, 111), "$");
    EXPECT_EQ(textAt(layout, 132), "(nothing)");  // no lone "$" for an empty claiming price
    EXPECT_EQ(rowTexts(layout.pages[0]).size(), 18u);
    EXPECT_EQ(textAt(layout, 62), "Turf");
}

// Each case changes some cells of the full row and names texts expected at character
// columns; in every case each text ends at least one blank before the next begins.
TEST(PrintLayout, NoTextRunsIntoTheNextOne) {
    struct Case {
        std::vector<std::pair<int, std::string>> cells;
        std::vector<std::pair<int, std::string>> expected;
    };
    const std::vector<Case> cases{
        // A long owner stops before the claiming price, or before the starts when none.
        {{{15, "Reid Thoroughbreds"}, {16, "25000"}}, {{113, "Reid Thoroug\u2026"}, {127, "$25000"}}},
        {{{15, "A Stable Name Of Thirty Letters"}, {16, ""}}, {{113, "A Stable Name Of Thir\u2026"}, {136, "5"}}},
        // A left-aligned text stops before the next column.
        {{{5, "SARG2"}}, {{53, "SA\u2026"}, {57, "8.5"}}},
        {{{4, "ABCDEFG"}}, {{50, "A\u2026"}, {53, "A"}}},
        // The longest of today's numbers fit their columns.
        {{{1, "123456789"}, {2, "32767.9999"}, {6, "10.5"}},
         {{0, "Rapid Water"}, {24, "123456789"}, {34, "32767.9999"}, {57, "10.5"}, {62, "Dirt"}}},
        // clang-format off
        {{{8, "199.9"}, {9, "20"}, {10, "20"}, {11, "20"}, {12, "9999999"}, {13, "99.90"}, {14, "5999999"},
          {16, "250000"}, {17, "99"}},
         {{71, "199.9"}, {77, "20"}, {80, "20"}, {83, "20"}, {87, "$9999999"}, {97, "$99.90"}, {104, "$5999999"},
          {113, "Fisher & Ha\u2026"}, {126, "$250000"}, {135, "99"}}},
        // clang-format on
        // A number wider than its column stays whole; the text before it gives way...
        {{{0, "Abcdefghij Klmnopqrstuvw"}, {1, "2147483647"}},
         {{0, "Abcdefghij Klmnopqrst\u2026"}, {23, "2147483647"}}},
        {{{6, "112.75"}}, {{57, "112.75"}, {64, "D\u2026"}, {67, "Fst"}}},
        // ...down to its first character; then, and next to a number, the number moves right.
        {{{8, "1234567890"}}, {{67, "F\u2026"}, {70, "1234567890"}, {81, "1"}, {83, "12"}, {86, "3"}, {89, "$10000"}}},
        {{{12, "123456789"}}, {{84, "3"}, {86, "$123456789"}, {98, "$3.00"}}},
        // Texts that fit are untouched.
        {{{16, ""}}, {{0, "Rapid Water"}, {113, "Fisher & Harris"}, {136, "5"}}},
    };
    for (const auto& [changes, expected] : cases) {
        auto cells = kFullRow;
        for (const auto& [column, text] : changes) cells[static_cast<std::size_t>(column)] = text;
        const auto layout = output::layOutFindings(listing(1, cells), "T", kLetterLandscape);
        const std::string name = cells[0] + "|" + cells[1];
        for (const auto& [k, text] : expected) EXPECT_EQ(textAt(layout, k), text) << name << " at " << k;
        const auto texts = rowTexts(layout.pages[0]);
        for (std::size_t i = 0; i + 1 < texts.size(); ++i)
            EXPECT_LE(texts[i].x + 96 * (characters(texts[i].text) + 1), texts[i + 1].x)
                << texts[i].text << " touches " << texts[i + 1].text;
    }
}

TEST(PrintLayout, OnlyASurfaceOfDPrintsDirt) {
    for (const auto& [surface, word] : std::vector<std::pair<std::string, std::string>>{
             {"D", "Dirt"}, {"T", "Turf"}, {"d", "Turf"}, {"", "Turf"}, {"Dirt", "Turf"}}) {
        auto cells = kFullRow;
        cells[7] = surface;
        EXPECT_EQ(textAt(output::layOutFindings(listing(1, cells), "T", kLetterLandscape), 62), word) << surface;
    }
}

TEST(PrintLayout, ConditionComesFromTheRaceNumberCellsColour) {
    const std::vector<std::pair<base::Colour, std::string>> cases{
        {base::kDirtFast, "Fst"},    {base::kTurfFirm, "Frm"},        {base::kTurfGood, "Gd"},
        {base::kDirtGood, "Gd"},     {base::kYielding, "Yld"},        {base::kSloppy, "Slp"},
        {base::rgb(1, 2, 3), "Slp"}, {base::kSystemWindowText, "Slp"}};
    for (const auto& [colour, word] : cases) {
        auto grid = listing(1);
        // Only column 2 counts: the rest of the row is given another class's colour.
        grid.select(1, 0, 1, 17);
        grid.setCellForeColour(base::kYielding == colour ? base::kTurfFirm : base::kYielding);
        grid.select(1, 2, 1, 2);
        grid.setCellForeColour(colour);
        EXPECT_EQ(textAt(output::layOutFindings(grid, "T", kLetterLandscape), 67), word) << colour;
    }
    base::GridModel uncoloured(2, 18);
    uncoloured.setText(1, 0, "Plain");
    EXPECT_EQ(textAt(output::layOutFindings(uncoloured, "T", kLetterLandscape), 67), "Slp");
}

TEST(PrintLayout, PagesShrinkOnlyOnPaperTooSmallForThem) {
    EXPECT_EQ(output::layOutFindings(listing(1), "T", kLetterLandscape).scale, 1.0);
    EXPECT_EQ(output::layOutFindings(listing(1), "T", {16121, 11185}).scale, 1.0);  // A4 landscape
    const output::PageSize a5{11186, 7675};
    EXPECT_DOUBLE_EQ(output::layOutFindings(listing(1), "T", a5).scale, std::min(11186.0 / 14496.0, 7675.0 / 10793.0));
}

}  // namespace
