// SPDX-License-Identifier: MIT
#include "store/horse_runs.h"

#include "store/database.h"
#include "store/statement.h"

#include <bit>
#include <unordered_map>

namespace store {

namespace {

// Every stored race's fields that a run shows, read in one pass: joining thousands of
// horses' runs with their races in memory spares an index search per run. The races are
// found by race number in an open-addressed table, a probe or two each; the few distinct
// class, age and surface codes are kept once each. The finder needs neither the track
// condition nor the field size.
class RaceFields {
public:
    explicit RaceFields(Database& db) {
        Statement count = db.prepare("SELECT count(*) FROM tblraces");
        count.step();
        std::size_t slots = 16;
        while (slots < 2 * static_cast<std::size_t>(count.integer(0))) slots *= 2;
        slots_.assign(slots, kEmpty);
        races_.reserve(static_cast<std::size_t>(count.integer(0)));
        Statement races = db.prepare("SELECT racenum, dist, age, restr, surf, purse, cprice FROM tblraces");
        while (races.step()) {
            const double racenum = races.real(0);
            std::uint32_t& slot = slots_[slotIndex(racenum)];
            // Of a race number stored twice, the first, as the listings' join would find it first.
            if (slot != kEmpty) continue;
            slot = static_cast<std::uint32_t>(races_.size());
            races_.push_back(Race{.racenum = racenum,
                                  .dist = static_cast<float>(races.real(1)),
                                  .age = age_.codeOf(races.textView(2)),
                                  .restr = restr_.codeOf(races.textView(3)),
                                  .surf = surf_.codeOf(races.textView(4)),
                                  .purse = races.integer(5),
                                  .cprice = races.integer(6)});
        }
    }

    // Fills in the race of `run`; false when its race is not stored.
    bool complete(RunRecord& run) const {
        const std::uint32_t slot = slots_[slotIndex(run.racenum)];
        if (slot == kEmpty) return false;
        const Race& race = races_[slot];
        run.dist = race.dist;
        run.age = age_.text(race.age);
        run.restr = restr_.text(race.restr);
        run.surf = surf_.text(race.surf);
        run.purse = race.purse;
        run.cprice = race.cprice;
        return true;
    }

private:
    // The distinct texts of one column, numbered.
    class Codes {
    public:
        std::uint32_t codeOf(std::string_view text) {
            if (const auto found = index_.find(text); found != index_.end()) return found->second;
            const auto code = static_cast<std::uint32_t>(texts_.size());
            texts_.emplace_back(text);
            index_.emplace(std::string(text), code);
            return code;
        }
        const std::string& text(std::uint32_t code) const { return texts_[code]; }

    private:
        struct Hash {
            using is_transparent = void;
            std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
        };
        std::vector<std::string> texts_;
        std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> index_;
    };

    struct Race {
        double racenum;
        float dist;
        std::uint32_t age, restr, surf;
        std::int64_t purse;
        std::int64_t cprice;
    };
    static constexpr std::uint32_t kEmpty = 0xffffffff;

    // The slot that holds `racenum`'s race, or the empty slot where it belongs; at most
    // half the slots are taken, so a probe soon ends.
    std::size_t slotIndex(double racenum) const {
        std::uint64_t hash = std::bit_cast<std::uint64_t>(racenum);
        hash ^= hash >> 33;
        hash *= 0xff51afd7ed558ccdULL;
        hash ^= hash >> 33;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask)
            if (slots_[i] == kEmpty || races_[slots_[i]].racenum == racenum) return i;
    }

    std::vector<std::uint32_t> slots_;
    std::vector<Race> races_;
    Codes age_, restr_, surf_;
};

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

}  // namespace

void forEachActiveHorse(Database& db, std::optional<int> firstWeek,
                        const std::function<bool(std::vector<RunRecord>&)>& visit) {
    const RaceFields races(db);
    NewestRunDetails details(db);
    // Read from the horse-number index alone, which holds these columns in this order:
    // the runs come grouped by horse, newest race first, without a sort or a row lookup.
    std::string sql = "SELECT hid, racenum, sp, fin, odds, rowid FROM tblhorsedata";
    if (firstWeek) sql += " WHERE hid IN (SELECT hid FROM tblhorsedata WHERE racenum >= ?1)";
    sql += " ORDER BY hid, racenum DESC";
    Statement statement = db.prepare(sql);
    if (firstWeek) statement.bind(1, static_cast<double>(*firstWeek));
    std::vector<RunRecord> runs;
    while (statement.step()) {
        RunRecord run;
        run.hid = statement.integer(0);
        run.racenum = statement.real(1);
        run.sp = static_cast<float>(statement.real(2));
        run.fin = static_cast<int>(statement.integer(3));
        run.odds = statement.real(4);
        // A run without its race is left out, as the listings' join leaves it out.
        if (!races.complete(run)) continue;
        if (!runs.empty() && runs.front().hid != run.hid) {
            if (!visit(runs)) return;
            runs.clear();
        }
        if (runs.empty()) details.fillIn(run, statement.integer(5));
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
