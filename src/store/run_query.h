// SPDX-License-Identifier: MIT
// The race store's query behind the horse, owner and race searches: which runs, in which order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace store {

class Database;

// One run as a listing reads it: a runner row joined with its race.
struct RunRecord {
    std::string hname;
    std::int64_t hid = 0;
    double racenum = 0;
    std::string oname;
    float dist = 0;
    float sp = 0;
    double odds = 0;
    std::string age;
    std::string restr;
    std::string cond;
    std::string surf;
    int fin = 0;
    std::int64_t purse = 0;
    int ppos = 0;
    int size = 0;
    std::int64_t cprice = 0;
    int start = 0;
};

// Which runs a horse, owner or race search lists. A text is matched exactly (ignoring
// letter case) or, when it is a pattern, with * for any run of characters and ? for one
// character; every other character of a pattern is literal.
struct RunCriteria {
    enum class Key { HorseNameAndNumber, HorseName, HorseNumber, Owner, Race };
    struct Text {
        std::string value;
        bool pattern = false;
    };
    Key key = Key::HorseName;
    std::vector<Text> names;                 // hname or oname; several owners are OR-ed
    std::optional<std::int64_t> hid;         // exact horse number
    std::optional<double> racenum;           // exact race number
    std::optional<std::string> numberPattern;  // horse or race number as a pattern
};

// The runs of one search, of every kind: the newest race first, and the runners of one
// race in the order they were stored (their finishing order).
class RunQuery {
public:
    RunQuery(Database& db, RunCriteria criteria);

    // Number of matching runs.
    std::int64_t count();
    // The first matching run, before any bound.
    std::optional<RunRecord> first();
    // Walks the matching runs in order, only those with racenum below `racenumBelow` when
    // given, until `visit` answers false. Each run is handed over to keep.
    void forEach(std::optional<double> racenumBelow, const std::function<bool(RunRecord&&)>& visit);

private:
    // The conditions, with the race number read from `racenumColumn`.
    std::string where(const char* racenumColumn) const;
    void bindCriteria(class Statement& statement, int firstIndex) const;

    Database& db_;
    RunCriteria criteria_;
};

// The select list and join of every run listing, in the order readRunRecord reads them.
extern const char* const kRunColumns;
extern const char* const kRunJoin;
RunRecord readRunRecord(const class Statement& row);

// A user's pattern with * and ? as a LIKE pattern with \ as its escape character.
std::string likePattern(const std::string& pattern);

}  // namespace store
