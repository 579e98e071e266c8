// SPDX-License-Identifier: MIT
// The names of the breeding file's sires, dam-sires and dams' dam-sires, for the name box's offers.
#pragma once

#include "progeny/breeding_file_reader.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace progeny {

// Each ancestor position's names, one per name as the progeny search compares them
// (letter case ignored), in that order.
class BreedingNames {
public:
    BreedingNames() = default;
    // Reads every whole group of the text; a fault of the file keeps the names before it.
    static BreedingNames read(TextSource& source);

    // The names in `position` that begin with `prefix` (letter case ignored), in name
    // order; at most `limit`.
    std::vector<std::string> beginningWith(Ancestor position, std::string_view prefix, std::size_t limit) const;

private:
    std::array<std::vector<std::string>, 3> names_;
};

// The names of one breeding file, read at the first request and again only once the file
// has changed (its size or time), so that each keystroke costs a look-up alone.
class BreedingNamesOfFile {
public:
    // Starts reading the file at `path` on a thread of its own unless its names are read
    // already: a large file takes a good part of a second, which typing should not wait for.
    void readAhead(const std::string& path);
    // The names of the file at `path`; none when it cannot be read.
    const BreedingNames& of(const std::string& path);

private:
    struct Stamp {
        std::string path;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified{};
        bool operator==(const Stamp&) const = default;
    };
    struct ReadNames {
        Stamp stamp;
        BreedingNames names;
    };
    static Stamp stampOf(const std::string& path);
    static ReadNames readNames(const Stamp& stamp);
    void takeReadAhead();

    std::optional<Stamp> stamp_;
    BreedingNames names_;
    std::future<ReadNames> ahead_;
};

}  // namespace progeny
