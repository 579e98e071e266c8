// SPDX-License-Identifier: MIT
#include "base/caption_sort.h"

namespace base {

void CaptionSort::sortBy(GridModel& grid, int column, bool text) {
    if (grid.rows() <= grid.fixedRows() + 1) return;
    ascending_ = column == column_ ? !ascending_ : text;
    column_ = column;
    grid.setCol(column);
    grid.sort(text ? (ascending_ ? SortOrder::TextAscending : SortOrder::TextDescending)
                   : (ascending_ ? SortOrder::NumericAscending : SortOrder::NumericDescending));
}

}  // namespace base
