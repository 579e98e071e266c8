// SPDX-License-Identifier: MIT
// Writing a file whole or not at all: a new file beside it, written, flushed and renamed into place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// A file made for writing: `fd` open on the new `path`, or -1 with `error` (an errno).
struct NewFile {
    int fd = -1;
    std::filesystem::path path;
    int error = 0;
};

// Creates a new, empty file with an unforeseeable name beside `beside` (its name with a
// random number and ".tmp" added). Creation is exclusive and follows no link, so a
// file or link planted under a foreseen name can neither be overwritten nor redirect the
// writing elsewhere.
NewFile createNewFile(const std::filesystem::path& beside);

// Writes `contents` to a new temporary file beside `path`, flushes it and renames it over
// `path`, so the file is either the old one or the complete new one. Returns an error
// text naming the file, or nothing on success.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace base
