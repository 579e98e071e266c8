// SPDX-License-Identifier: MIT
#include "command_names.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace cli {

namespace {

// How many letters must be put in, left out or changed to turn `a` into `b`.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::optional<std::string> unknownCommand(const CLI::App& app, const std::string& typed) {
    if (typed.empty() || typed.front() == '-') return std::nullopt;  // an option, such as --help
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    if (std::ranges::find(names, typed) != names.end()) return std::nullopt;
    std::string message = "\"" + typed + "\" is not a command";
    const auto nearest =
        std::ranges::min_element(names, {}, [&](const std::string& name) { return editDistance(typed, name); });
    // Two slips, or a third in a long name, still point to the command meant.
    if (nearest != names.end() && editDistance(typed, *nearest) <= std::max<std::size_t>(2, nearest->size() / 3))
        message += "; did you mean " + *nearest + "?";
    message += "\nThe commands:";
    for (const auto& name : names) message += " " + name;
    return message;
}

}  // namespace cli
