// SPDX-License-Identifier: MIT
#include "search/search_listing.h"

#include "search/criteria_panel.h"
#include "search/gethorse.h"

namespace search {

bool SearchListing::listHorse(const std::string& name, const std::string& number) {
    return search::listHorse(window_, name, number);
}

bool SearchListing::listStable(const std::string& owner) { return gethorse(window_, kOwner, owner, ""); }

bool SearchListing::listRace(const std::string& raceNumber) { return gethorse(window_, kRace, "", raceNumber); }

}  // namespace search
