// SPDX-License-Identifier: MIT
#include "base/one_line.h"

namespace base {

std::string oneLine(std::string_view name) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) shown += c;
        else if (c == '\n') shown += "\\n";
        else if (c == '\r') shown += "\\r";
        else if (c == '\t') shown += "\\t";
        else shown += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xf]};
    }
    return shown;
}

}  // namespace base
