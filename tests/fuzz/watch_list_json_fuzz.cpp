// SPDX-License-Identifier: MIT
// Any bytes in a watch list file must read as a list or as a problem that says why: never
// a crash, a hang, an exception that escapes, or a list that breaks the reader's own rules
// (a horse number that is not positive, a stable without a name, a note too long).
#include "watch/watch_commands.h"
#include "watch/watch_list_json.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = watch::readWatchListJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.problem) {
        if (read.problem->empty()) __builtin_trap();
        return 0;
    }
    for (const auto& horse : read.list.horses)
        if (horse.hid <= 0 || horse.note.size() > 4 * watch::kMostNoteCharacters) __builtin_trap();
    for (const auto& stable : read.list.stables)
        if (stable.name.empty() || stable.note.size() > 4 * watch::kMostNoteCharacters) __builtin_trap();
    return 0;
}
