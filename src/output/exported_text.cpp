// SPDX-License-Identifier: MIT
#include "output/exported_text.h"

#include "base/results_columns.h"

namespace output {

namespace {

// The horse layout's columns, whichever layout shows (empty where the grid has none).
constexpr int kExportedColumns = base::horse_column::kCount;

}  // namespace

std::string exportedText(const base::GridModel& grid) {
    std::string text;
    for (int row = 0; row < grid.rows(); ++row) {
        for (int col = 0; col < kExportedColumns; ++col) {
            text += '"';
            if (col < grid.cols()) text += grid.text(row, col);
            text += "\",";
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace output
