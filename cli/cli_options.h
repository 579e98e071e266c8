// SPDX-License-Identifier: MIT
#pragma once

#include "base/calendar.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

namespace cli {

// --today YYYY-MM-DD: the day taken as the system date (default: the real date).
void addTodayOption(CLI::App& command, std::string& today);
// The clock for a --today value; the real date when it is empty.
std::unique_ptr<base::Clock> clockFor(const std::string& today);

// --format csv|json.
void addFormatOption(CLI::App& command, std::string& format,
                     const std::string& description = "csv (the exported text) or json (the window state).");

// An option that may be given several times, one value each time, all kept in order.
template <typename Values>
CLI::Option* addRepeatedOption(CLI::App& command, const std::string& name, Values& values,
                               const std::string& description) {
    return command.add_option(name, values, description)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

}  // namespace cli
