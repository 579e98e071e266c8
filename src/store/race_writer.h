// SPDX-License-Identifier: MIT
// Appends imported races and their runners to the race store.
#pragma once

#include "store/statement.h"

#include <cstdint>
#include <string>

namespace store {

class Database;

// One row of tblraces.
struct RaceRow {
    double racenum = 0;
    std::string surf;
    std::string restr;
    std::string cond;
    double dist = 0;
    int size = 0;
    std::int64_t purse = 0;
    std::int64_t cprice = 0;
    std::string age;
};

// One row of tblhorsedata.
struct RunnerRow {
    std::string hname;
    std::int64_t hid = 0;
    double racenum = 0;
    int fin = 0;
    int ppos = 0;
    double sp = 0;
    int start = 0;
    double odds = 0;
    std::string oname;
};

// Appends races and their runners to the store. Meant to run inside one Transaction per
// imported file, so that a file is stored whole or not at all and costs one commit.
class RaceWriter {
public:
    explicit RaceWriter(Database& db);

    void addRace(const RaceRow& race);
    void addRunner(const RunnerRow& runner);

private:
    Statement insertRace_;
    Statement insertRunner_;
};

}  // namespace store
