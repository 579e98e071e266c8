// SPDX-License-Identifier: MIT
#pragma once

#include "base/user_dialogs.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace bench_support {

// Answers every question Yes and shows nothing, as a user who agrees to everything.
struct AgreeingDialogs : base::UserDialogs {
    void message(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    void beep() override {}
    void setBusy(bool) override {}
    void repaintNow() override {}
    std::optional<std::string> chooseFilesToOpen(const base::FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(const base::FileDialogOptions&) override { return std::nullopt; }
};

// A file the benchmark needs, named by an environment variable that scripts/bench.sh sets.
inline std::string requiredPath(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !std::filesystem::exists(value))
        throw std::runtime_error(std::string("set ") + variable + " (scripts/bench.sh does)");
    return value;
}

}  // namespace bench_support
