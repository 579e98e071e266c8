// SPDX-License-Identifier: MIT
#include "store/horse_runs.h"

#include "store/database.h"
#include "store/statement.h"

namespace store {

void forEachActiveHorse(Database& db, std::optional<int> firstWeek,
                        const std::function<bool(std::vector<RunRecord>&)>& visit) {
    // Horse number, then newest race first, is the order of the horse-number index, so
    // the runs come grouped by horse without a sort.
    std::string sql = std::string("SELECT ") + kRunColumns + kRunJoin;
    if (firstWeek) sql += " WHERE tblhorsedata.hid IN (SELECT hid FROM tblhorsedata WHERE racenum >= ?1)";
    sql += " ORDER BY tblhorsedata.hid, tblhorsedata.racenum DESC, tblhorsedata.rowid";
    Statement statement = db.prepare(sql);
    if (firstWeek) statement.bind(1, static_cast<double>(*firstWeek));
    std::vector<RunRecord> runs;
    while (statement.step()) {
        RunRecord run = readRunRecord(statement);
        if (!runs.empty() && runs.front().hid != run.hid) {
            if (!visit(runs)) return;
            runs.clear();
        }
        runs.push_back(std::move(run));
    }
    if (!runs.empty()) visit(runs);
}

std::vector<RunRecord> runsOfHorse(Database& db, std::int64_t hid) {
    RunCriteria criteria;
    criteria.key = RunCriteria::Key::HorseNumber;
    criteria.hid = hid;
    std::vector<RunRecord> runs;
    RunQuery(db, criteria).forEach(std::nullopt, [&](RunRecord&& run) {
        runs.push_back(std::move(run));
        return true;
    });
    return runs;
}

std::vector<std::string> raceClassCodes(Database& db) {
    Statement statement = db.prepare("SELECT DISTINCT restr FROM tblraces WHERE restr <> '' ORDER BY restr");
    std::vector<std::string> codes;
    while (statement.step()) codes.push_back(statement.text(0));
    return codes;
}

std::int64_t countFastDirtHorsesInSql(Database& db, int firstWeek, double minSpeed) {
    Statement statement = db.prepare(
        "SELECT COUNT(*) FROM (SELECT tblhorsedata.hid FROM tblhorsedata INNER JOIN tblraces"
        " ON tblhorsedata.racenum = tblraces.racenum"
        " WHERE tblhorsedata.hid IN (SELECT hid FROM tblhorsedata WHERE racenum >= ?1) AND surf = 'D'"
        " GROUP BY tblhorsedata.hid HAVING MAX(sp) >= ?2)");
    statement.bind(1, static_cast<double>(firstWeek)).bind(2, minSpeed);
    statement.step();
    return statement.integer(0);
}

}  // namespace store
