// SPDX-License-Identifier: MIT
// Listing a horse, a stable or a race in the main window, for the windows beside it.
#pragma once

#include <string>

namespace shell {

// The main window's listings as the other subsystems ask for them: the crosses table and
// the watch list list a horse or a stable in the results grid without knowing the searches.
// The searches implement it; the program's assembly and the command line tool hand it in.
// Each reports through the window's dialogs and is true when it listed runs.
class MainListing {
public:
    virtual ~MainListing() = default;
    // A horse by name and number, the criteria panel set as for that search, so that "GO!"
    // lists it again.
    virtual bool listHorse(const std::string& name, const std::string& number) = 0;
    // A stable's runs (an owner search).
    virtual bool listStable(const std::string& owner) = 0;
    // A race's runners, by race number.
    virtual bool listRace(const std::string& raceNumber) = 0;
};

}  // namespace shell
