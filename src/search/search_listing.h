// SPDX-License-Identifier: MIT
// The main window's listings, made by the horse, owner and race searches.
#pragma once

#include "shell/main_listing.h"

namespace shell {
class MainFinder;
}  // namespace shell

namespace search {

// Lists in `window`'s results grid through its searches.
class SearchListing : public shell::MainListing {
public:
    explicit SearchListing(shell::MainFinder& window) : window_(window) {}
    bool listHorse(const std::string& name, const std::string& number) override;
    bool listStable(const std::string& owner) override;
    bool listRace(const std::string& raceNumber) override;

private:
    shell::MainFinder& window_;
};

}  // namespace search
