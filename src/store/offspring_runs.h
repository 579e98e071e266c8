// SPDX-License-Identifier: MIT
// The race store's runs of one horse by name and number, as the progeny search and the crosses read them.
#pragma once

#include "store/statement.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class Database;

// One run of a horse, with what the progeny statistics and the crosses read of it.
struct OffspringRun {
    std::string hname;  // as stored
    float dist = 0;
    float sp = 0;
    std::string restr;
    std::string surf;
    std::int64_t fin = 0;
    std::int64_t purse = 0;
};

// The runs of one horse by name (without regard to letter case) and number, in the order
// they were run. A progeny search asks once for each of its offspring, so the statement
// is prepared once and only bound anew for each horse. Must not outlive its Database.
class OffspringRuns {
public:
    explicit OffspringRuns(Database& db);

    // Replaces the contents of `runs` with the runs of horse `hname` number `hid`; the
    // vector is reused from horse to horse, so its strings keep their memory.
    void read(std::string_view hname, std::int64_t hid, std::vector<OffspringRun>& runs);

private:
    Statement statement_;
};

}  // namespace store
