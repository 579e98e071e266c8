// SPDX-License-Identifier: MIT
// How columns narrower than their view share the room left over.
#pragma once

#include <vector>

namespace base {

// The widths of `widths` widened to fill `room` together, each by a part of the spare room
// in proportion to its width (the rounding's rest to the last widened column). Unchanged
// when they fill it already or are all 0.
std::vector<int> sharedWidths(const std::vector<int>& widths, int room);

}  // namespace base
