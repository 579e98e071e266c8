// SPDX-License-Identifier: MIT
// The winners' and third-placed runners' speed figures of the stored races, by class.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace store {

class Database;

// A class of races: its class code (`restr`), claiming price (0 where the race has none)
// and surface, as stored. Ordered by the three in that order, byte by byte.
struct ClassKey {
    std::string restr;
    std::int64_t claim = 0;
    std::string surface;
    auto operator<=>(const ClassKey&) const = default;
};

// The figures of one class's counted races, in tenths (speed figures have one decimal):
// each race's winner's figure (above 0; the highest of a dead heat), and every
// third-placed runner's figure above 0.
struct ClassFigures {
    std::vector<std::int32_t> winners;
    std::vector<std::int32_t> thirds;
};

// A speed figure in tenths.
std::int32_t tenths(double speed);

using ClassTable = std::map<ClassKey, ClassFigures>;

// The classes of the races with race numbers strictly between `low` and `high` whose
// winner has a speed figure above 0. Reads the races and their placed runners, each in
// race-number order through its index, and joins them as it goes.
ClassTable classFigures(Database& db, double low, double high);

// The speed figures above 0 of horse `hid` between the same bounds, newest race first,
// with the surface of each race; at most `most`.
struct HorseFigure {
    double racenum = 0;
    std::int32_t speed = 0;  // tenths
};
std::vector<HorseFigure> newestFigures(Database& db, std::int64_t hid, double low, double high, int most);
// The surfaces of the races horse `hid` ran between the bounds, in byte order.
std::vector<std::string> surfacesRun(Database& db, std::int64_t hid, double low, double high);

// Two horses' meetings: the races both ran, and in how many `first` finished ahead of
// `second` (a lower finishing place above 0, or a place where the other has none).
struct Meetings {
    int races = 0;
    int firstAhead = 0;
};
Meetings meetings(Database& db, std::int64_t first, std::int64_t second);

}  // namespace store
