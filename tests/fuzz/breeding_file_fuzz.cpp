// SPDX-License-Identifier: MIT
// Any bytes read as the breeding file must end in a selection of horses, perhaps with a
// problem for the user: never a crash, a hang or a read outside the buffer. Each input is
// searched at every ancestor position for the name on its second line (the first group's
// sire), so that the matching paths are reached as often as the skipping ones.
#include "progeny/breeding_file_reader.h"
#include "store/text_compare.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

std::string_view secondLineName(std::string_view text) {
    const auto lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos) return {};
    text.remove_prefix(lineEnd + 1);
    const auto first = text.find(',');
    const auto second = first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos) return {};
    return text.substr(first + 1, second - first - 1);
}

const std::string& fieldAt(const progeny::Offspring& horse, progeny::Ancestor position) {
    switch (position) {
    case progeny::Ancestor::Sire: return horse.sire;
    case progeny::Ancestor::DamSire: return horse.damSire;
    case progeny::Ancestor::DamsDamSire: return horse.damsDamSire;
    }
    __builtin_trap();
}

void search(std::string_view text, std::string_view name, progeny::Ancestor position) {
    const auto selection = progeny::selectOffspring(text, name, position);
    if (selection.offspring.size() > progeny::kMostOffspring) __builtin_trap();
    if (selection.problem && selection.problem->empty()) __builtin_trap();
    for (const auto& horse : selection.offspring) {
        // Only horses whose ancestor bears the name are kept, and every field is a piece of the file.
        if (!store::equalsIgnoringCase(fieldAt(horse, position), name)) __builtin_trap();
        if (horse.name.size() > text.size() || horse.sex.size() > 4) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
    const auto bytes = std::make_unique<char[]>(size);
    std::copy(data, data + size, bytes.get());
    const std::string_view text(bytes.get(), size);
    const std::string_view name = secondLineName(text);
    for (const auto position : {progeny::Ancestor::Sire, progeny::Ancestor::DamSire, progeny::Ancestor::DamsDamSire})
        search(text, name, position);
    return 0;
}
