// SPDX-License-Identifier: MIT
// The window program's command line: what it asks for, read before a display is needed.
#pragma once

#include <QStringList>

#include <optional>
#include <string>

namespace app {

// What the window program's command line asks for.
struct WindowArguments {
    std::string breedingFile;        // --breeding FILE, else the fixed place
    std::optional<int> today;        // --today YYYY-MM-DD: the day taken as today, else the machine's
    std::optional<std::string> answer;  // --help or --version: this text, and no window
    std::optional<std::string> error;   // a usage error: this text, and no window
};

// Reads the window program's arguments (without the program's name). Qt's own options,
// which the application object takes out later, pass without complaint here, so that
// --help and --version are answered before a display is needed.
WindowArguments readWindowArguments(const QStringList& arguments, const std::string& defaultBreedingFile,
                                    bool qtOptionsTaken);

}  // namespace app
