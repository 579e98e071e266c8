// SPDX-License-Identifier: MIT
#include "cli_options.h"

#include "base/number_format.h"
#include "store/schema.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

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

template <typename Number>
std::string shortest(Number value) {
    if constexpr (std::is_integral_v<Number>) return std::to_string(value);
    else return base::shortestText(value);
}

}  // namespace

void addTodayOption(CLI::App& command, std::string& today) {
    command.add_option("--today", today, "The day taken as today, YYYY-MM-DD.")->check([](const std::string& text) {
        return parseIsoDate(text) ? "" : "expected a date YYYY-MM-DD";
    });
}

std::unique_ptr<base::Clock> clockFor(const std::string& today) {
    if (today.empty()) return std::make_unique<base::SystemClock>();
    return std::make_unique<base::FixedClock>(base::dayNumberOf(*parseIsoDate(today)));
}

template <typename Number>
CLI::Validator numberCheck() {
    const char* kind = std::is_integral_v<Number> ? "a whole number" : "a number";
    return CLI::Validator(
        [kind](std::string& text) -> std::string {
            std::string_view digits(text);
            if (digits.size() > 1 && digits.front() == '+') digits.remove_prefix(1);
            Number value{};
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
            const bool whole = !digits.empty() && end == digits.data() + digits.size();
            if (whole && error == std::errc::result_out_of_range)
                return "\"" + text + "\" is out of range: from " + shortest(std::numeric_limits<Number>::lowest()) +
                       " to " + shortest(std::numeric_limits<Number>::max());
            bool fits = whole && error == std::errc();
            if constexpr (std::is_floating_point_v<Number>) fits = fits && std::isfinite(value);
            return fits ? "" : "\"" + text + "\" is not " + kind;
        },
        std::is_integral_v<Number> ? "INTEGER" : "NUMBER");
}

template CLI::Validator numberCheck<std::int16_t>();
template CLI::Validator numberCheck<int>();
template CLI::Validator numberCheck<std::int64_t>();
template CLI::Validator numberCheck<double>();

// Both run after numberCheck, so the text is a number.
CLI::Validator atLeast(std::int64_t least) {
    return CLI::Validator(
        [least](std::string& text) -> std::string {
            return std::stod(text) < static_cast<double>(least) ? "must be " + std::to_string(least) + " or more" : "";
        },
        "");
}

CLI::Validator inRange(double low, double high) {
    return CLI::Validator(
        [low, high](std::string& text) -> std::string {
            const double value = std::stod(text);
            return value < low || value > high
                       ? "\"" + text + "\" is out of range: from " + shortest(low) + " to " + shortest(high)
                       : "";
        },
        "");
}

void requireRaceStore(const std::string& db) {
    if (const auto problem = store::raceStoreProblem(db)) throw std::runtime_error(*problem);
}

void addFormatOption(CLI::App& command, std::string& format, const std::string& description) {
    command.add_option("--format", format, description)->check(CLI::IsMember({"csv", "json"}));
}

}  // namespace cli
