// SPDX-License-Identifier: MIT
#include "base/grid_selection_text.h"

#include <algorithm>

namespace base {

namespace {

void appendField(std::string& out, const std::string& text) {
    if (text.find_first_of("\t\r\n\"") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendRow(std::string& out, const GridModel& grid, int row, int left, int right) {
    for (int col = left; col <= right; ++col) {
        if (col > left) out += '\t';
        appendField(out, grid.text(row, col));
    }
    out += "\r\n";
}

}  // namespace

std::string selectionAsTabSeparatedText(const GridModel& grid) {
    if (grid.rows() == 0 || grid.cols() == 0) return {};
    std::string out;
    if (!grid.pickedRows().empty()) {
        // Rows picked one by one are copied whole, under the captions.
        for (int row = 0; row < grid.fixedRows(); ++row) appendRow(out, grid, row, 0, grid.cols() - 1);
        for (const int row : grid.pickedRows()) appendRow(out, grid, row, 0, grid.cols() - 1);
        return out;
    }
    const int top = std::min(grid.row(), grid.rowSel());
    const int bottom = std::max(grid.row(), grid.rowSel());
    const int left = std::min(grid.col(), grid.colSel());
    const int right = std::max(grid.col(), grid.colSel());
    for (int row = 0; row < std::min(grid.fixedRows(), top); ++row) appendRow(out, grid, row, left, right);
    for (int row = top; row <= bottom; ++row) appendRow(out, grid, row, left, right);
    return out;
}

}  // namespace base
