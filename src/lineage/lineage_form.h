// SPDX-License-Identifier: MIT
// The lineage window's state: the title, labels and pedigree grid of the horse page last fetched.
#pragma once

#include "lineage/lineage_request.h"
#include "base/control.h"
#include "base/grid_model.h"

#include <string_view>
#include <utility>
#include <vector>

namespace lineage {

// The lineage window `frmlineage` as state: the title, the two labels and the pedigree
// grid of one horse page. One window is reused for every request, each overwriting all
// its texts; it holds nothing besides what it shows.
class LineageForm {
public:
    static constexpr const char* kCaption = "Lineage and Statistics";
    static constexpr int kClientWidth = 8460;   // twips
    static constexpr int kClientHeight = 4155;  // twips
    static constexpr int kHorseColumnWidth = 1013;
    static constexpr int kLineColumnWidth = 2309;

    // `Form_Load`: the grid's font and column widths.
    LineageForm();

    // Shows a request's result: the title, both labels, the twelve pedigree cells and the
    // grid's headers, with the first line's header as the current cell.
    void showLineage(const LineageInfo& info);

    std::vector<std::pair<std::string_view, base::Control*>> controls();

    base::Control lbllineage{"Lineage For"};
    base::Control fra1{"Miscellaneous Stats"};
    base::Control lblmisc{""};
    base::Control fra2{"Win Stats"};
    base::Control lblwinstats{""};
    base::GridModel MSFlexGrid1{5, 4, 1, 1};
};

}  // namespace lineage
