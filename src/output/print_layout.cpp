// SPDX-License-Identifier: MIT
#include "output/print_layout.h"

#include "base/utf8_text.h"
#include "base/results_columns.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace output {

namespace {

// How a printed column turns its grid cell into text and where that text starts.
enum class Rule {
    Name,               // the first 23 characters, from the start column
    Left,               // the text, from the start column
    LeftNumber,         // the same for a number, which is never cut
    Right,              // the text, its last character on the column's last
    Dollar,             // "$" and the text, "$" standing where a right-aligned text would start
    DollarUnlessEmpty,  // as Dollar, but nothing at all for an empty cell
    Surface,            // "Dirt" for "D", otherwise "Turf"
    Condition,          // the word for the text colour of the cell
};

struct PrintedColumn {
    const char* heading;
    int headingColumn;
    int gridColumn;
    Rule rule;
    int startColumn;
    int width = 0;  // of right-aligned texts
};

constexpr std::size_t kNameLength = 23;
using namespace base::horse_column;

// One printed column a line. The numbers' columns hold the longest of today's values whole:
// a nine-digit horse number (as many as the ID box takes), the race number of any 16-bit
// week, a distance such as 10.5.
// clang-format off
constexpr std::array<PrintedColumn, 19> kColumns{{
    {"Horse Name", 0, kName, Rule::Name, 0},
    {"H.Id.", 28, kHorseNumber, Rule::Right, 24, 9},
    {"  Race ID", 35, kRace, Rule::Right, 34, 10},
    {"Age", 45, kAge, Rule::Left, 45},
    {"TR", 50, kTrack, Rule::Left, 50},
    {"Typ", 53, kType, Rule::Left, 53},
    {"Dis", 57, kDistance, Rule::LeftNumber, 57},
    {"Surf", 62, kSurface, Rule::Surface, 62},
    {"Con", 67, kRace, Rule::Condition, 67},
    {"   Sp", 71, kSpeed, Rule::Right, 71, 5},
    {"Fn", 77, kPlace, Rule::Right, 76, 3},
    {"Fd", 80, kField, Rule::Right, 79, 3},
    {"PP", 83, kPost, Rule::Right, 82, 3},
    {"    Purse", 86, kPurse, Rule::Dollar, 86, 8},
    {"    Odds", 95, kOdds, Rule::Dollar, 95, 7},
    {" Earnings", 103, kEarnings, Rule::Dollar, 103, 8},
    {" Owner", 112, kOwner, Rule::Left, 113},
    {" ClaimPr.", 124, kClaiming, Rule::DollarUnlessEmpty, 124, 8},
    {"  St", 133, kStart, Rule::Right, 133, 4},
}};
// clang-format on

// The right end of the widest fixed column and the bottom of the lowest row: what a
// page must hold at full size.
constexpr int kListingRight = kListingLeft + kCharacterWidth * (kColumns.back().startColumn + kColumns.back().width);
constexpr int kListingBottom = kLastRowTop + kRowStep;

int xOfColumn(int column) { return kListingLeft + kCharacterWidth * column; }

int characters(const std::string& text) { return static_cast<int>(base::characterCount(text)); }

// The text a column prints for one cell and the character column it starts at; an
// empty text prints nothing.
std::pair<std::string, int> cellText(const base::GridModel& grid, int row, const PrintedColumn& column) {
    static const std::string kNone;
    const std::string& text = column.gridColumn < grid.cols() ? grid.text(row, column.gridColumn) : kNone;
    const int rightStart = column.startColumn + column.width - characters(text);
    switch (column.rule) {
    case Rule::Name:
        return {std::string(base::firstCharacters(text, kNameLength)), column.startColumn};
    case Rule::Left:
    case Rule::LeftNumber:
        return {text, column.startColumn};
    case Rule::Right:
        return {text, rightStart};
    case Rule::DollarUnlessEmpty:
        if (text.empty()) return {};
        [[fallthrough]];
    case Rule::Dollar:
        return {"$" + text, rightStart};
    case Rule::Surface:
        return {text == "D" ? "Dirt" : "Turf", column.startColumn};
    case Rule::Condition:
        return {conditionWord(grid.foreColourOf(row, kRace)), column.startColumn};
    }
    return {};
}

// One text of a printed row and the character column it starts at.
struct Piece {
    std::string text;
    int start = 0;
    bool number = false;
};

bool isNumber(Rule rule) {
    return rule == Rule::LeftNumber || rule == Rule::Right || rule == Rule::Dollar || rule == Rule::DollarUnlessEmpty;
}

// What stands for the characters a cut takes away, so that no part of a text passes
// for the whole.
const std::string kEllipsis = "\u2026";
// A text that gives way keeps at least its first character and the ellipsis.
constexpr int kLeastKept = 2;

// `text` cut to its first `count` characters, the last of them an ellipsis when any
// character is lost.
std::string keepFirst(const std::string& text, int count) {
    const auto kept = static_cast<std::size_t>(std::max(count, kLeastKept));
    if (base::characterCount(text) <= kept) return text;
    return std::string(base::firstCharacters(text, kept - 1)) + kEllipsis;
}

// Keeps the texts of a row apart, so that none runs into the next: a text ends one blank
// before the next one begins, cut with an ellipsis. A number is never cut (a shortened
// number reads as another number): wider than its column, it reaches back over the text
// before it, which gives way down to its first character and the ellipsis. Where that
// is not room enough, or where it would reach a number, the number moves right instead,
// and what follows it makes room in the same way.
void keepApart(std::vector<Piece>& pieces) {
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const Piece& before = pieces[i - 1];
        const int earliest = before.start + (before.number ? characters(before.text) : kLeastKept) + 1;
        pieces[i].start = std::max(pieces[i].start, earliest);
    }
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i)
        if (!pieces[i].number) pieces[i].text = keepFirst(pieces[i].text, pieces[i + 1].start - 1 - pieces[i].start);
}

// Builds the pages one placement at a time, as the printer's pen moves.
class PageWriter {
public:
    explicit PageWriter(std::string title) : title_(std::move(title)) {}

    void startPage() {
        layout_.pages.emplace_back();
        const int pageNumber = static_cast<int>(layout_.pages.size());
        const int titleLength = characters(title_);
        if (pageNumber == 1) place(7700 - 72 * titleLength, kTitleTop, kTitlePoints, true, title_);
        else
            place(7920 - 72 * (titleLength + 8), kTitleTop, kTitlePoints, true,
                  title_ + ".  Pg. " + std::to_string(pageNumber));
        for (const auto& column : kColumns)
            place(xOfColumn(column.headingColumn), kHeadingTop, kRowPoints, true, column.heading);
        y_ = kHeadingTop;
    }

    void addRow(const base::GridModel& grid, int row) {
        y_ += kRowStep;
        if (y_ > kLastRowTop) {
            startPage();
            y_ += kRowStep;
        }
        std::vector<Piece> pieces;
        for (const auto& column : kColumns) {
            auto [text, start] = cellText(grid, row, column);
            if (!text.empty()) pieces.push_back({std::move(text), start, isNumber(column.rule)});
        }
        keepApart(pieces);
        for (auto& piece : pieces) place(xOfColumn(piece.start), y_, kRowPoints, false, std::move(piece.text));
    }

    PrintLayout finish(PageSize page) {
        if (page.widthTwips > 0 && page.heightTwips > 0)
            layout_.scale = std::min({1.0, static_cast<double>(page.widthTwips) / kListingRight,
                                      static_cast<double>(page.heightTwips) / kListingBottom});
        return std::move(layout_);
    }

private:
    void place(int x, int y, int points, bool bold, std::string text) {
        layout_.pages.back().texts.push_back({x, y, points, bold, std::move(text)});
    }

    std::string title_;
    PrintLayout layout_;
    int y_ = 0;
};

}  // namespace

std::string conditionWord(base::Colour colour) {
    switch (colour) {
    case base::kDirtFast:
        return "Fst";
    case base::kTurfFirm:
        return "Frm";
    case base::kTurfGood:
    case base::kDirtGood:
        return "Gd";
    case base::kYielding:
        return "Yld";
    default:
        return "Slp";  // the sloppy navy, and any colour outside the key
    }
}

PrintLayout layOutFindings(const base::GridModel& grid, const std::string& title, PageSize page) {
    PageWriter writer(title);
    writer.startPage();
    for (int row = 1; row < grid.rows(); ++row) writer.addRow(grid, row);
    return writer.finish(page);
}

}  // namespace output
