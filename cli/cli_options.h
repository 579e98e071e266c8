// SPDX-License-Identifier: MIT
#pragma once

#include "base/calendar.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// --today YYYY-MM-DD: the day taken as the system date (default: the real date).
void addTodayOption(CLI::App& command, std::string& today);
// The clock for a --today value; the real date when it is empty.
std::unique_ptr<base::Clock> clockFor(const std::string& today);

// Ends the command with a message (exit status 1) when `db` is not a race store, before
// the command opens it: a file that is not one is neither read as one nor written to.
void requireRaceStore(const std::string& db);

// --format csv|json.
void addFormatOption(CLI::App& command, std::string& format,
                     const std::string& description = "csv (the exported text) or json (the window state).");

// Refuses, as a usage error, a value that is not wholly a number of type Number within
// its range: an empty text, trailing characters, a whole number too large for it, and a
// floating value that is not finite ("nan", "inf"), which would otherwise pass as some
// other number or as no bound at all.
template <typename Number>
CLI::Validator numberCheck();
extern template CLI::Validator numberCheck<std::int16_t>();
extern template CLI::Validator numberCheck<int>();
extern template CLI::Validator numberCheck<std::int64_t>();
extern template CLI::Validator numberCheck<double>();

// Refuses, as a usage error, a number below `least` ("must be 0 or more").
CLI::Validator atLeast(std::int64_t least);
// Refuses, as a usage error, a number outside `low` to `high`, naming them.
CLI::Validator inRange(double low, double high);

// The number type of an option's value, whether it is kept plain, optional or repeated.
template <typename Value>
struct NumberOf {
    using type = Value;
};
template <typename Value>
struct NumberOf<std::optional<Value>> {
    using type = Value;
};
template <typename Value>
struct NumberOf<std::vector<Value>> {
    using type = Value;
};

// An option whose value is a number, checked as above.
template <typename Value>
CLI::Option* addNumberOption(CLI::App& command, const std::string& name, Value& value, const std::string& description) {
    return command.add_option(name, value, description)->check(numberCheck<typename NumberOf<Value>::type>());
}

// An option that may be given several times, one value each time, all kept in order.
template <typename Values>
CLI::Option* addRepeatedOption(CLI::App& command, const std::string& name, Values& values,
                               const std::string& description) {
    return command.add_option(name, values, description)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

}  // namespace cli
