// SPDX-License-Identifier: MIT
#include "store/run_query.h"

#include "store/database.h"
#include "store/statement.h"

namespace store {

const char* const kRunColumns =
    "hname, hid, tblraces.racenum, oname, dist, sp, odds, age, restr, cond, surf, fin, purse, ppos, size, cprice, "
    "start";
const char* const kRunJoin = " FROM tblhorsedata INNER JOIN tblraces ON tblhorsedata.racenum = tblraces.racenum";
// Newest race first; the runners of one race as they were stored, which is their
// finishing order. Tied rows would otherwise come in whatever order the index the engine
// chose gives them, and the first row is the subject of the statistics.
constexpr const char* kOrder = " ORDER BY tblhorsedata.racenum DESC, tblhorsedata.rowid";

RunRecord readRunRecord(const Statement& row) {
    RunRecord run;
    run.hname = row.text(0);
    run.hid = row.integer(1);
    run.racenum = row.real(2);
    run.oname = row.text(3);
    run.dist = static_cast<float>(row.real(4));
    run.sp = static_cast<float>(row.real(5));
    run.odds = row.real(6);
    run.age = row.text(7);
    run.restr = row.text(8);
    run.cond = row.text(9);
    run.surf = row.text(10);
    run.fin = static_cast<int>(row.integer(11));
    run.purse = row.integer(12);
    run.ppos = static_cast<int>(row.integer(13));
    run.size = static_cast<int>(row.integer(14));
    run.cprice = row.integer(15);
    run.start = static_cast<int>(row.integer(16));
    return run;
}

namespace {

std::string textCondition(const char* column, const RunCriteria::Text& text) {
    return std::string(column) + (text.pattern ? " LIKE ? ESCAPE '\\'" : " = ?");
}

}  // namespace

std::string likePattern(const std::string& pattern) {
    std::string like;
    like.reserve(pattern.size());
    for (const char c : pattern) {
        switch (c) {
        case '*': like += '%'; break;
        case '?': like += '_'; break;
        case '%':
        case '_':
        case '\\':
            like += '\\';
            like += c;
            break;
        default: like += c;
        }
    }
    return like;
}

RunQuery::RunQuery(Database& db, RunCriteria criteria) : db_(db), criteria_(std::move(criteria)) {}

std::string RunQuery::where(const char* racenumColumn) const {
    using Key = RunCriteria::Key;
    std::string sql = " WHERE ";
    const char* nameColumn = criteria_.key == Key::Owner ? "oname" : "hname";
    if (criteria_.key != Key::HorseNumber && criteria_.key != Key::Race) {
        sql += "(";
        for (std::size_t i = 0; i < criteria_.names.size(); ++i) {
            if (i > 0) sql += " OR ";
            sql += textCondition(nameColumn, criteria_.names[i]);
        }
        sql += criteria_.names.empty() ? "0)" : ")";
    }
    if (criteria_.key == Key::HorseNameAndNumber || criteria_.key == Key::HorseNumber) {
        if (criteria_.key == Key::HorseNameAndNumber) sql += " AND ";
        sql += criteria_.numberPattern ? "CAST(hid AS TEXT) LIKE ? ESCAPE '\\'" : "hid = ?";
    }
    if (criteria_.key == Key::Race) {
        sql += criteria_.numberPattern ? std::string("CAST(") + racenumColumn + " AS TEXT) LIKE ? ESCAPE '\\'"
                                       : std::string(racenumColumn) + " = ?";
    }
    return sql;
}

void RunQuery::bindCriteria(Statement& statement, int index) const {
    using Key = RunCriteria::Key;
    if (criteria_.key != Key::HorseNumber && criteria_.key != Key::Race) {
        for (const auto& name : criteria_.names)
            statement.bind(index++, name.pattern ? likePattern(name.value) : name.value);
    }
    if (criteria_.numberPattern) statement.bind(index++, likePattern(*criteria_.numberPattern));
    else if (criteria_.hid && criteria_.key != Key::HorseName && criteria_.key != Key::Owner)
        statement.bind(index++, *criteria_.hid);
    else if (criteria_.racenum && criteria_.key == Key::Race) statement.bind(index++, *criteria_.racenum);
}

std::int64_t RunQuery::count() {
    // Reads the runners' table alone, in the case of a name or owner from one index: every
    // run that the import stores has its race, stored with it, and removing a week removes
    // both, so the join finds the same rows.
    auto statement = db_.prepare(std::string("SELECT count(*) FROM tblhorsedata") + where("tblhorsedata.racenum"));
    bindCriteria(statement, 1);
    statement.step();
    return statement.integer(0);
}

std::optional<RunRecord> RunQuery::first() {
    auto statement =
        db_.prepare(std::string("SELECT ") + kRunColumns + kRunJoin + where("tblraces.racenum") + kOrder + " LIMIT 1");
    bindCriteria(statement, 1);
    if (!statement.step()) return std::nullopt;
    return readRunRecord(statement);
}

void RunQuery::forEach(std::optional<double> racenumBelow,
                       const std::function<bool(RunRecord&&)>& visit) {
    std::string sql = std::string("SELECT ") + kRunColumns + kRunJoin + where("tblraces.racenum");
    if (racenumBelow) sql += " AND tblhorsedata.racenum < ?";
    auto statement = db_.prepare(sql + kOrder);
    bindCriteria(statement, 1);
    if (racenumBelow) statement.bind(statement.parameterCount(), *racenumBelow);
    while (statement.step())
        if (!visit(readRunRecord(statement))) return;
}

}  // namespace store
