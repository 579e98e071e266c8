// SPDX-License-Identifier: MIT
// Every offspring's runs, read on two connections at once.
#pragma once

#include "progeny/breeding_file_reader.h"
#include "store/offspring_runs.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace store {
class Database;
class SecondConnection;
}  // namespace store

namespace progeny {

// The runs of each of `offspring`, one query by name and number each, handed to `visit`
// with the offspring's index in their order. With `beside` (a second connection to the
// same store) the later half is read there meanwhile, so that the two take about half
// the time.
void readOffspringRuns(store::Database& db, store::SecondConnection* beside, const std::vector<Offspring>& offspring,
                       const std::function<void(std::size_t, const std::vector<store::OffspringRun>&)>& visit);

}  // namespace progeny
