// SPDX-License-Identifier: MIT
// Any bytes in the settings file must end in settings or in the reset values: never a
// crash, a hang or a read outside the buffer. Settings that were accepted are written and
// read back unchanged, so a restart never drifts the columns.
#include "shell/grid_settings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
    const auto bytes = std::make_unique<char[]>(size);
    std::copy(data, data + size, bytes.get());
    const auto settings = shell::parseGridSettings(std::string_view(bytes.get(), size));
    if (!settings) return 0;
    for (const auto width : settings->widths)
        if (width < 0) __builtin_trap();
    if (shell::parseGridSettings(shell::formatGridSettings(*settings)) != settings) __builtin_trap();
    return 0;
}
