// SPDX-License-Identifier: MIT
// The one way the windows turn the core's UTF-8 texts into Qt's.
#pragma once

#include <QString>

#include <string_view>

namespace base {

// The core's texts are UTF-8, whatever the locale of the machine.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace base
