// SPDX-License-Identifier: MIT
#include "base/size_text.h"

namespace base {

std::string sizeText(std::int64_t bytes) {
    constexpr double kKilo = 1024.0;
    if (bytes < 1024 * 1024) return std::to_string((bytes + 1023) / 1024) + " KB";
    const bool giga = bytes >= 1024LL * 1024 * 1024;
    const double value = static_cast<double>(bytes) / (giga ? kKilo * kKilo * kKilo : kKilo * kKilo);
    std::string text = std::to_string(static_cast<std::int64_t>(value * 10 + 0.5));
    text.insert(text.size() - 1, ".");
    return text + (giga ? " GB" : " MB");
}

}  // namespace base
