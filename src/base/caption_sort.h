// SPDX-License-Identifier: MIT
// Sorting a table by a click on a column's caption, as the finder's and the crosses' tables do.
#pragma once

#include "base/grid_model.h"

namespace base {

// The first click on a caption sorts texts A to Z and figures highest first; a second click
// on the same caption turns the order. A grid of one data row or none stays as it is.
class CaptionSort {
public:
    void sortBy(GridModel& grid, int column, bool text);
    // The table was filled anew: the next click sorts as a first one.
    void forget() { column_ = -1; }

private:
    int column_ = -1;
    bool ascending_ = false;
};

}  // namespace base
