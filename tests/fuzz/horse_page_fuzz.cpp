// SPDX-License-Identifier: MIT
// Any bytes given to the horse page parser must end in a page's texts: never a crash, a
// hang or a read outside the buffer. Every text it gives is a piece of the page or one of
// the program's own labels, so no field can be longer than the page.
#include "lineage/horse_page_parser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
    const auto bytes = std::make_unique<char[]>(size);
    std::copy(data, data + size, bytes.get());
    const lineage::HorsePage horse = lineage::parseHorsePage(std::string_view(bytes.get(), size));
    if (horse.name.size() > size) __builtin_trap();
    for (const auto& row : horse.pedigree)
        for (const auto& cell : row)
            if (cell.size() > size) __builtin_trap();
    return 0;
}
