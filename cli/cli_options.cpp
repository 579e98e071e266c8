// SPDX-License-Identifier: MIT
#include "cli_options.h"

#include <chrono>
#include <cstdio>

namespace cli {

namespace {

std::optional<std::chrono::year_month_day> parseIsoDate(const std::string& text) {
    int year = 0;
    unsigned month = 0, day = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%4d-%2u-%2u%c", &year, &month, &day, &end) != 3) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
    return date.ok() ? std::optional(date) : std::nullopt;
}

}  // namespace

void addTodayOption(CLI::App& command, std::string& today) {
    command.add_option("--today", today, "The day taken as today, YYYY-MM-DD.")
        ->check([](const std::string& text) { return parseIsoDate(text) ? "" : "expected a date YYYY-MM-DD"; });
}

std::unique_ptr<base::Clock> clockFor(const std::string& today) {
    if (today.empty()) return std::make_unique<base::SystemClock>();
    return std::make_unique<base::FixedClock>(base::dayNumberOf(*parseIsoDate(today)));
}

void addFormatOption(CLI::App& command, std::string& format, const std::string& description) {
    command.add_option("--format", format, description)->check(CLI::IsMember({"csv", "json"}));
}

}  // namespace cli
