// SPDX-License-Identifier: MIT
// The watch list as the JSON file that carries it between race stores, and that file read back.
#pragma once

#include "watch/watch_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace watch {

// The mark and format number that open every such file.
inline constexpr const char* kWatchListMark = "harrowdexWatchList";
inline constexpr int kWatchListFormat = 1;

// What a file brings: horses by number (the name only to report one the store lacks),
// stables by name, each with its note.
struct CarriedHorse {
    std::int64_t hid = 0;
    std::string name;
    std::string note;
};
struct CarriedStable {
    std::string name;
    std::string note;
};
struct CarriedList {
    std::vector<CarriedHorse> horses;
    std::vector<CarriedStable> stables;
};

// The file of `list`: {"harrowdexWatchList": 1, "horses": [{"id", "name", "note", "added"}],
// "stables": [{"name", "note", "added"}]}, pretty-printed UTF-8, dates added as YYYY-MM-DD.
std::string watchListJson(const WatchList& list);

// The list a file holds, or what makes it none: not JSON, not of this shape, a value of the
// wrong type, a horse number that is not a positive whole number, a stable without a name,
// a note longer than a note may be. The problem reads on after "is not a watch list: ".
struct ReadCarriedList {
    CarriedList list;
    std::optional<std::string> problem;
};
ReadCarriedList readWatchListJson(std::string_view text);

}  // namespace watch
