// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// Writes `contents` to a temporary file beside `path`, flushes it and renames it over
// `path`, so the file is either the old one or the complete new one. Returns an error
// text naming the file, or nothing on success.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace shell
