// SPDX-License-Identifier: MIT
// The results grid's column widths and background, kept in HarrowdexSettings.ini beside the program.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// The results grid's layout that survives searches and restarts: the widths of the
// horse layout's 18 columns in twips and the cell background colour.
struct GridSettings {
    std::array<std::int16_t, 18> widths{};
    std::int32_t background = 0;
    bool operator==(const GridSettings&) const = default;
};

// One line of 19 decimal numbers, each preceded by a blank when not negative and
// followed by one blank, ending in CR LF.
std::string formatGridSettings(const GridSettings& settings);

// Reads the 19 numbers, separated by blanks, commas or line ends. Nothing when the text
// holds fewer than 19 numbers, something that is not a number, a width outside 0 to
// 32767 or a colour the grid cannot show; the caller then falls back to the reset values.
std::optional<GridSettings> parseGridSettings(std::string_view text);

// Damaged: not a regular file, larger than a side file may be, or unreadable; like an
// empty file it gives way to the reset values.
enum class SettingsFileState { Missing, Empty, Damaged, Readable };

struct SettingsFileContents {
    SettingsFileState state;
    std::string text;
};
SettingsFileContents readSettingsFile(const std::filesystem::path& path);

// Writes the file through a temporary file renamed over it, so a crash never leaves a
// half-written line. Returns an error text, or nothing on success.
std::optional<std::string> writeSettingsFile(const std::filesystem::path& path, const GridSettings& settings);

}  // namespace shell
