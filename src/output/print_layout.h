// SPDX-License-Identifier: MIT
// The printed listing laid out in pages: where every piece of text stands, for any paper size.
#pragma once

#include "base/grid_model.h"

#include <string>
#include <vector>

namespace output {

// One piece of text on a printed page. Positions are in twips from the printable page's
// top left; `y` is the top of the text line. The font is always the fixed-pitch one.
struct TextPlacement {
    int x = 0;
    int y = 0;
    int points = 0;
    bool bold = false;
    std::string text;

    bool operator==(const TextPlacement&) const = default;
};

struct PrintedPage {
    std::vector<TextPlacement> texts;
};

// The printable area of the chosen paper, in twips.
struct PageSize {
    int widthTwips = 0;
    int heightTwips = 0;
};

// The printed listing: its pages, and the factor by which a printer must shrink them
// to fit its printable area (1 on letter or A4 paper in landscape; below 1 only on a
// smaller sheet).
struct PrintLayout {
    std::vector<PrintedPage> pages;
    double scale = 1.0;
};

// Geometry of the listing, in twips.
inline constexpr int kTitleTop = 960;
inline constexpr int kHeadingTop = 1440;
inline constexpr int kRowStep = 193;
inline constexpr int kLastRowTop = 10600;
inline constexpr int kListingLeft = 1344;
inline constexpr int kCharacterWidth = 96;  // one character of 8-point Courier
inline constexpr int kTitlePoints = 12;
inline constexpr int kRowPoints = 8;

// Lays out the rows of the results grid (horse layout, columns 0 to 17) under `title`
// (the caption of the search that filled it): a title and the column headings on every
// page, 47 rows a page, page numbers in the titles from the second page on. No text of a
// row runs into the next one: it is cut one blank before the next begins, and an
// ellipsis shows where. A number is never cut.
PrintLayout layOutFindings(const base::GridModel& grid, const std::string& title, PageSize page);

// The condition word for a race-number cell's text colour, the only trace of the track
// condition in the grid.
std::string conditionWord(base::Colour colour);

}  // namespace output
