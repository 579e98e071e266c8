// SPDX-License-Identifier: MIT
// The track list of the race store: each track's number and short code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace store {

class Database;

// One row of statecodes: a track number and the track's short code.
struct Track {
    int num = 0;
    std::string stcode;
};

// Every track, in ascending order of number.
std::vector<Track> listTracks(Database& db);
// Adds a track unless one with that number is stored already; false then, and nothing
// changes. The code is stored exactly as given.
bool addTrack(Database& db, int num, std::string_view stcode);
// Deletes one track with that number; false when there is none.
bool deleteTrack(Database& db, int num);

}  // namespace store
