// SPDX-License-Identifier: MIT
#pragma once

#include "store/database.h"

#include <string>

namespace bench_support {

// The horse the searches look for: the one of the store's millionth run (41 runs in the
// 600-week store).
inline std::string searchedHorseOf(store::Database& db) {
    auto horse = db.prepare("SELECT hname FROM tblhorsedata WHERE rowid = 1000000");
    horse.step();
    return horse.text(0);
}

}  // namespace bench_support
