// SPDX-License-Identifier: MIT
#include "store/horse_runs.h"

#include "store/database.h"
#include "store/race_fields.h"
#include "store/second_connection.h"
#include "store/statement.h"
#include "store/transaction.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <optional>

namespace store {

namespace {

// The columns of a run that the horse-number index does not carry, read for a horse's
// newest run only.
class NewestRunDetails {
public:
    explicit NewestRunDetails(Database& db)
        : row_(db.prepare("SELECT hname, oname, ppos, start FROM tblhorsedata WHERE rowid = ?1", Reuse::Repeated)) {}

    void fillIn(RunRecord& run, std::int64_t rowid) {
        row_.reset();
        if (!row_.bind(1, rowid).step()) return;
        run.hname = row_.text(0);
        run.oname = row_.text(1);
        run.ppos = static_cast<int>(row_.integer(2));
        run.start = static_cast<int>(row_.integer(3));
    }

private:
    Statement row_;
};

// A run as the horse-number index holds it.
struct IndexedRun {
    std::int64_t hid;
    double racenum;
    float sp;
    int fin;
    double odds;
    std::int64_t rowid;
};

// The races the form of the horses active since `firstWeek` runs in: those from the
// oldest race any of them ran in (from `firstWeek` when none ran since). Active horses'
// careers cover the last few seasons, so a store of many years is read in part. All
// races without a week.
RaceFields racesOfActiveHorses(Database& db, std::optional<int> firstWeek) {
    if (!firstWeek) return RaceFields(db);
    Statement oldest = db.prepare(
        "SELECT min(racenum) FROM tblhorsedata WHERE hid IN (SELECT hid FROM tblhorsedata WHERE racenum >= ?1)");
    oldest.bind(1, static_cast<double>(*firstWeek));
    oldest.step();
    return RaceFields(db, oldest.isNull(0) ? static_cast<double>(*firstWeek) : oldest.real(0));
}

// Those races in the state of the store whose generation is `generation`, read on the
// second connection; nothing when that connection already sees another state (a week
// removed or imported meanwhile).
std::future<std::optional<RaceFields>> readRacesBeside(SecondConnection& beside, std::int64_t generation,
                                                       std::optional<int> firstWeek) {
    return beside.run([generation, firstWeek](Database& own) {
        const ReadTransaction theirs(own);
        std::optional<RaceFields> races(racesOfActiveHorses(own, firstWeek));
        if (theirs.generation() != generation) races.reset();
        return races;
    });
}

// Joins the indexed runs with their races and hands them on one horse at a time.
class HorseForms {
public:
    HorseForms(Database& db, const std::function<bool(std::vector<RunRecord>&)>& visit) : details_(db), visit_(visit) {}

    void useRaces(RaceFields&& races) { races_.emplace(std::move(races)); }
    bool haveRaces() const { return races_.has_value(); }

    // Takes one run of the index's order; false when `visit` asked to stop.
    bool take(const IndexedRun& indexed) {
        RunRecord run;
        run.hid = indexed.hid;
        run.racenum = indexed.racenum;
        run.sp = indexed.sp;
        run.fin = indexed.fin;
        run.odds = indexed.odds;
        // A run without its race is left out, as the listings' join leaves it out.
        if (!races_->complete(run)) return true;
        if (!runs_.empty() && runs_.front().hid != run.hid) {
            if (!visit_(runs_)) return false;
            runs_.clear();
        }
        if (runs_.empty()) details_.fillIn(run, indexed.rowid);
        runs_.push_back(std::move(run));
        return true;
    }
    // Hands on the last horse's runs.
    void finish() {
        if (!runs_.empty()) visit_(runs_);
    }

private:
    std::optional<RaceFields> races_;
    NewestRunDetails details_;
    const std::function<bool(std::vector<RunRecord>&)>& visit_;
    std::vector<RunRecord> runs_;  // of one horse
};

}  // namespace

void forEachActiveHorse(Database& db, SecondConnection& beside, std::optional<int> firstWeek,
                        const std::function<bool(std::vector<RunRecord>&)>& visit) {
    // The races are read on the second connection while this one walks the runs: the two
    // reads are independent and take about as long each. The runs read before the races
    // are ready wait, in the index's few columns. Races of another state of the store than
    // this connection's read transaction sees are read again here.
    const ReadTransaction snapshot(db);
    auto reading = readRacesBeside(beside, snapshot.generation(), firstWeek);
    HorseForms forms(db, visit);
    std::vector<IndexedRun> waiting;
    const auto takeWaiting = [&] {
        if (auto read = reading.get()) forms.useRaces(std::move(*read));
        else forms.useRaces(racesOfActiveHorses(db, firstWeek));
        const bool more = std::ranges::all_of(waiting, [&](const IndexedRun& run) { return forms.take(run); });
        waiting = {};
        return more;
    };
    // Read from the horse-number index alone, which holds these columns in this order:
    // the runs come grouped by horse, newest race first, without a sort or a row lookup.
    std::string sql = "SELECT hid, racenum, sp, fin, odds, rowid FROM tblhorsedata";
    if (firstWeek) sql += " WHERE hid IN (SELECT hid FROM tblhorsedata WHERE racenum >= ?1)";
    sql += " ORDER BY hid, racenum DESC";
    Statement statement = db.prepare(sql);
    if (firstWeek) statement.bind(1, static_cast<double>(*firstWeek));
    constexpr std::size_t kLookAfter = 4096;  // waiting runs between looks whether the races are ready
    while (statement.step()) {
        const IndexedRun run{statement.integer(0),
                             statement.real(1),
                             static_cast<float>(statement.real(2)),
                             static_cast<int>(statement.integer(3)),
                             statement.real(4),
                             statement.integer(5)};
        if (forms.haveRaces()) {
            if (!forms.take(run)) return;
            continue;
        }
        waiting.push_back(run);
        if (waiting.size() % kLookAfter == 0 &&
            reading.wait_for(std::chrono::seconds(0)) == std::future_status::ready && !takeWaiting())
            return;
    }
    if (!forms.haveRaces() && !takeWaiting()) return;
    forms.finish();
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
