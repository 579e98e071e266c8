// SPDX-License-Identifier: MIT
#include "base/qt/shared_widths.h"

#include <numeric>

namespace base {

std::vector<int> sharedWidths(const std::vector<int>& widths, int room) {
    const long long total = std::accumulate(widths.begin(), widths.end(), 0LL);
    const long long spare = room - total;
    std::vector<int> shared = widths;
    if (spare <= 0 || total <= 0) return shared;
    long long given = 0;
    std::size_t last = 0;
    for (std::size_t i = 0; i < shared.size(); ++i) {
        const long long part = spare * widths[i] / total;
        shared[i] += static_cast<int>(part);
        given += part;
        if (widths[i] > 0) last = i;
    }
    shared[last] += static_cast<int>(spare - given);
    return shared;
}

}  // namespace base
