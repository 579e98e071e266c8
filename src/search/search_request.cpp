// SPDX-License-Identifier: MIT
#include "search/search_request.h"

#include "base/number_text.h"
#include "base/rounding.h"

#include <cmath>
#include <limits>

namespace search {

namespace {

constexpr std::string_view kOwnerSeparator = "\" OR oname=\"";

bool hasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

std::optional<std::int64_t> whole32(const std::string& text) {
    const auto value = base::parseNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    const auto rounded = base::roundHalfEven(*value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return rounded;
}

std::optional<int> wholeBox(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const auto value = whole32(text);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

// A week number is a 16-bit whole number: a larger one is refused, never cut to fit.
std::optional<int> weekBox(const std::string& text) {
    const auto value = wholeBox(text);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return value;
}

store::RunCriteria::Text nameText(const std::string& name) {
    // An owner literally named *computer is matched as that name, not as a pattern.
    return {name, hasWildcard(name) && name != "*computer"};
}

// Puts the number box into the criteria; false when it holds no number.
bool setNumber(store::RunCriteria& criteria, SearchKind opt, const std::string& txtid) {
    if (hasWildcard(txtid)) {
        criteria.numberPattern = txtid;
        return true;
    }
    if (opt == kRace) {
        const auto value = base::parseNumber(txtid);
        if (!value || !std::isfinite(*value)) return false;
        criteria.racenum = *value;
        return true;
    }
    criteria.hid = whole32(txtid);
    return criteria.hid.has_value();
}

store::RunCriteria::Key keyOf(SearchKind opt) {
    using Key = store::RunCriteria::Key;
    switch (opt) {
    case kHorseByNameAndNumber: return Key::HorseNameAndNumber;
    case kHorseByNumber: return Key::HorseNumber;
    case kOwner: return Key::Owner;
    case kRace: return Key::Race;
    default: return Key::HorseName;
    }
}

}  // namespace

std::vector<std::string> ownerNames(const std::string& name) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t at = name.find(kOwnerSeparator); at != std::string::npos;
         at = name.find(kOwnerSeparator, start)) {
        names.push_back(name.substr(start, at - start));
        start = at + kOwnerSeparator.size();
    }
    names.push_back(name.substr(start));
    return names;
}

std::variant<SearchRequest, std::string> makeSearchRequest(const SearchInput& input) {
    SearchRequest request;
    request.criteria.key = keyOf(input.opt);
    const bool byNumber = input.opt == kHorseByNameAndNumber || input.opt == kHorseByNumber || input.opt == kRace;
    if (byNumber && !setNumber(request.criteria, input.opt, input.txtid))
        return input.opt == kRace ? std::string("Please enter a race number (such as 10366.7005) in the ID box.")
                                  : std::string("Please enter a horse number in the ID box.");
    if (input.opt == kOwner) {
        // Several stables at once name each stable exactly: "*" and "?" are part of a name there.
        const auto owners = ownerNames(input.name);
        for (const auto& owner : owners)
            request.criteria.names.push_back(owners.size() > 1 ? store::RunCriteria::Text{owner, false} : nameText(owner));
    } else {
        request.criteria.names.push_back(nameText(input.name));
    }
    const auto threshold = wholeBox(input.threshold);
    if (!threshold) return std::string("Please enter a speed below which races are ignored (for example 30).");
    request.threshold = *threshold;
    if (!input.lastWeek.empty()) {
        const auto last = weekBox(input.lastWeek);
        if (!last) return std::string("The Last Week # box must hold a week number.");
        request.lastRaceBelow = *last + 1.0;
    }
    if (!input.firstWeek.empty()) {
        request.firstWeek = weekBox(input.firstWeek);
        if (!request.firstWeek) return std::string("The First Week # box must hold a week number.");
    }
    request.title = input.opt == kHorseByNumber || input.opt == kRace ? input.txtid : input.name;
    return request;
}

}  // namespace search
