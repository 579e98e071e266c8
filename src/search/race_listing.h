// SPDX-License-Identifier: MIT
// The results grid filled with a search's runs: one row a run, in the listing's formats and track colours.
#pragma once

#include "base/colour.h"
#include "base/grid_model.h"
#include "store/run_query.h"

#include <map>
#include <optional>
#include <string>

namespace search {

// The track number of a race: the first two of the four digits after the point.
int trackNumberOf(double racenum);

// The text colour of a run's row by track condition and surface; none for a condition
// outside the colour key.
std::optional<base::Colour> rowColourOf(const std::string& cond, const std::string& surf);

// Fills the results grid in the horse layout: one row per listed run, in the formats,
// alignments and colours of the listing.
class RaceListing {
public:
    RaceListing(base::GridModel& grid, std::map<int, std::string> trackCodes);

    // Aligns the caption cells and the columns; once per search, before the rows.
    void prepare();
    // Writes grid row `row` afresh for `run`, with the earnings credited to it; the run's
    // texts move into the grid.
    void fillRow(int row, store::RunRecord&& run, std::int32_t earnings);

private:
    base::GridModel& grid_;
    std::map<int, std::string> trackCodes_;
};

}  // namespace search
