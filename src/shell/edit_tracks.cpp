// SPDX-License-Identifier: MIT
#include "shell/edit_tracks.h"

#include "base/number_text.h"
#include "base/rounding.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/track_list.h"

#include <charconv>
#include <optional>

namespace shell {

namespace {

// Race numbers carry the track in two digits, so no other number can ever be found.
constexpr int kLowestTrack = 0;
constexpr int kHighestTrack = 99;

std::optional<int> trackNumber(const std::string& text) {
    const auto value = base::parseNumber(text);
    if (!value || !(*value >= kLowestTrack - 0.5 && *value <= kHighestTrack + 0.5)) return std::nullopt;
    const auto rounded = base::roundHalfEven(*value);
    if (rounded < kLowestTrack || rounded > kHighestTrack) return std::nullopt;
    return static_cast<int>(rounded);
}

// The number an entry shows before its ": ".
int entryNumber(const std::string& entry) {
    int num = 0;
    std::from_chars(entry.data(), entry.data() + entry.find(':'), num);
    return num;
}

}  // namespace

std::string trackEntry(int num, const std::string& stcode) {
    const std::string digits = std::to_string(num);
    return (num >= 0 && num < 10 ? "0" + digits : digits) + ": " + stcode;
}

template <typename Work>
bool EditTracks::withStore(Work work, bool change) {
    try {
        // The list itself is only read, so it shows on a store that cannot be changed. A
        // change's close is the last one, which removes the store's log.
        if (change) window_.releaseReaders();
        auto db = change ? store::openRaceStoreForWriting(window_.raceStorePath())
                         : store::Database::open(window_.raceStorePath(), store::Access::ReadOnly);
        work(db);
        return true;
    } catch (const store::StoreError& error) {
        window_.dialogs().message(error.what(), base::kAppTitle);
        return false;
    }
}

void EditTracks::Form_Load() { fillList(); }

void EditTracks::fillList() {
    lsttracks.clear();
    withStore(
        [this](store::Database& db) {
            for (const auto& track : store::listTracks(db)) lsttracks.addItem(trackEntry(track.num, track.stcode));
        },
        false);
}

bool EditTracks::cmdaddtrack_Click() {
    const auto num = trackNumber(txttracknum.caption);
    if (!num) {
        window_.dialogs().message("You must enter a valid track number.", base::kAppTitle);
        return false;
    }
    bool added = false;
    if (!withStore([&](store::Database& db) { added = store::addTrack(db, *num, txttrackcode.caption); })) return false;
    if (added) {
        txttracknum.caption.clear();
        txttrackcode.caption.clear();
    } else {
        window_.dialogs().message(txttracknum.caption +
                                      " is already in the database.  If you wish to edit or replace it, \rthen "
                                      "please delete the track first.",
                                  base::kAppTitle);
    }
    fillList();
    return added;
}

bool EditTracks::cmddeletetrack_Click() {
    const auto selected = lsttracks.listIndex();
    if (!selected) {
        window_.dialogs().message("Please select a track to delete.", base::kAppTitle);
        return false;
    }
    const int num = entryNumber(lsttracks.list(*selected));
    // A track already gone (changed by other means) leaves nothing to delete.
    const bool done = withStore([num](store::Database& db) { store::deleteTrack(db, num); });
    fillList();
    return done;
}

std::vector<std::pair<std::string_view, base::Control*>> EditTracks::controls() {
    return {{"fraaddtrack", &fraaddtrack},   {"lbltracknum", &lbltracknum},      {"txttracknum", &txttracknum},
            {"lbltrackcode", &lbltrackcode}, {"txttrackcode", &txttrackcode},    {"cmdaddtrack", &cmdaddtrack},
            {"fratracklist", &fratracklist}, {"cmddeletetrack", &cmddeletetrack}};
}

}  // namespace shell
