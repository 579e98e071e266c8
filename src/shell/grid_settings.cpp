// SPDX-License-Identifier: MIT
#include "shell/grid_settings.h"

#include "base/atomic_file.h"
#include "base/colour.h"
#include "base/number_text.h"
#include "base/regular_file.h"
#include "base/rounding.h"

#include <limits>
#include <sstream>
#include <vector>

namespace shell {

namespace {

void appendNumber(std::string& out, std::int64_t value) {
    if (value >= 0) out += ' ';
    out += std::to_string(value);
    out += ' ';
}

// Splits on blanks, commas and line ends, as the file's reader separates its numbers.
std::vector<std::string_view> fields(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = std::string_view::npos;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || text[i] == ' ' || text[i] == ',' || text[i] == '\r' ||
                               text[i] == '\n' || text[i] == '\t';
        if (separator && start != std::string_view::npos) {
            out.push_back(text.substr(start, i - start));
            start = std::string_view::npos;
        } else if (!separator && start == std::string_view::npos) {
            start = i;
        }
    }
    return out;
}

std::optional<std::int64_t> wholeNumber(std::string_view field) {
    const auto value = base::parseNumber(field);
    if (!value || *value > 4e18 || *value < -4e18) return std::nullopt;
    return base::roundHalfEven(*value);
}

bool isShowableColour(std::int64_t value) {
    const auto colour = static_cast<base::Colour>(static_cast<std::uint32_t>(value));
    if (value >= 0) return value <= 0xFFFFFF;
    // A system colour reference: high bit, no other bits but the index byte.
    return value >= std::numeric_limits<std::int32_t>::min() && (colour & 0x7FFFFF00u) == 0 &&
           base::systemColourIndex(colour) <= 0x18;
}

}  // namespace

std::string formatGridSettings(const GridSettings& settings) {
    std::string out;
    for (const auto width : settings.widths) appendNumber(out, width);
    appendNumber(out, settings.background);
    out += "\r\n";
    return out;
}

std::optional<GridSettings> parseGridSettings(std::string_view text) {
    const auto numbers = fields(text);
    if (numbers.size() < 19) return std::nullopt;
    GridSettings settings;
    for (std::size_t i = 0; i < settings.widths.size(); ++i) {
        const auto width = wholeNumber(numbers[i]);
        if (!width || *width < 0 || *width > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
        settings.widths[i] = static_cast<std::int16_t>(*width);
    }
    const auto background = wholeNumber(numbers[18]);
    if (!background || !isShowableColour(*background)) return std::nullopt;
    settings.background = static_cast<std::int32_t>(*background);
    return settings;
}

SettingsFileContents readSettingsFile(const std::filesystem::path& path) {
    base::FileContents file = base::readRegularFile(path, base::kSideFileLimit);
    if (file.problem == base::FileProblem::Missing) return {SettingsFileState::Missing, {}};
    if (file.problem != base::FileProblem::None) return {SettingsFileState::Damaged, {}};
    if (file.bytes.empty()) return {SettingsFileState::Empty, {}};
    return {SettingsFileState::Readable, std::move(file.bytes)};
}

std::optional<std::string> writeSettingsFile(const std::filesystem::path& path, const GridSettings& settings) {
    return base::writeFileAtomically(path, formatGridSettings(settings));
}

}  // namespace shell
