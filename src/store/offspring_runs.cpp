// SPDX-License-Identifier: MIT
#include "store/offspring_runs.h"

#include "store/database.h"

namespace store {

OffspringRuns::OffspringRuns(Database& db)
    : statement_(db.prepare("SELECT hname, dist, sp, restr, surf, fin, purse FROM tblhorsedata INNER JOIN tblraces ON "
                            "tblhorsedata.racenum = tblraces.racenum WHERE hname = ?1 AND hid = ?2 "
                            "ORDER BY tblhorsedata.racenum ASC",
                            Reuse::Repeated)) {}

void OffspringRuns::read(std::string_view hname, std::int64_t hid, std::vector<OffspringRun>& runs) {
    statement_.reset();
    statement_.bind(1, hname).bind(2, hid);
    std::size_t count = 0;
    while (statement_.step()) {
        if (count == runs.size()) runs.emplace_back();
        OffspringRun& run = runs[count++];
        run.hname = statement_.text(0);
        run.dist = static_cast<float>(statement_.real(1));
        run.sp = static_cast<float>(statement_.real(2));
        run.restr = statement_.text(3);
        run.surf = statement_.text(4);
        run.fin = statement_.integer(5);
        run.purse = statement_.integer(6);
    }
    runs.resize(count);
}

}  // namespace store
