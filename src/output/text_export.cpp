// SPDX-License-Identifier: MIT
#include "output/text_export.h"

namespace output {

namespace {

constexpr int kExportedColumns = 18;

}  // namespace

std::string exportedText(const shell::GridModel& grid) {
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
