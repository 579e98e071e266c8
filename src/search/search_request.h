// SPDX-License-Identifier: MIT
// A search as the user asked for it, checked and turned into the race store's criteria.
#pragma once

#include "search/search_kind.h"
#include "store/run_query.h"

#include <optional>
#include <string>
#include <variant>

namespace search {

// A search as the criteria panel and the list commands ask for it, checked and turned
// into the store's criteria, or the message that tells the user what is wrong.
struct SearchRequest {
    store::RunCriteria criteria;
    std::string title;                   // the search title of the statistics
    std::optional<double> lastRaceBelow;  // from "Last Week #:": races below week + 1
    std::optional<int> firstWeek;         // from "First Week #:"
    int threshold = 0;                    // the speed threshold of the averages
};

struct SearchInput {
    SearchKind opt = kHorseByName;
    std::string name;
    std::string txtid;
    std::string firstWeek;
    std::string lastWeek;
    std::string threshold;
};

// The request, or a message for the user when a box holds what cannot be searched.
std::variant<SearchRequest, std::string> makeSearchRequest(const SearchInput& input);

// The owner names of a name that the special stable search built: the first name, then
// for each further one a double quote, " OR oname=", a double quote and the name.
std::vector<std::string> ownerNames(const std::string& name);

}  // namespace search
