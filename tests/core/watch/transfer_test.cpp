// SPDX-License-Identifier: MIT
// The watch list carried between two race stores through its JSON file: joined by horse
// number and stable name, the rest reported, and a file that is no watch list refused.
#include "base/calendar.h"
#include "import/import_driver.h"
#include "store/schema.h"
#include "watch/watch_commands.h"
#include "watch/watch_list.h"
#include "watch/watch_list_json.h"
#include "watch/watch_transfer.h"

#include "sample_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <utility>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using HorseNotes = std::vector<std::pair<std::int64_t, std::string>>;
using StableNotes = std::vector<std::pair<std::string, std::string>>;

constexpr std::int64_t kLemonDiamond = 9948;     // ran in week 312 only
constexpr std::int64_t kScarletArrow = 5426737;  // ran in weeks 310 to 312
constexpr std::int64_t kFrozenSpirit = 490421;   // ran in week 310

// The sample store (weeks 310 to 312) and a second store of weeks 310 and 311, whose clock
// is a hundred days behind.
class WatchTransfer : public testing_support::SampleStore {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStore::SetUp());
        store::createRaceStore(otherFolder / "horses.mdb");
        other.setUpControls();
        other.useRaceStore((otherFolder / "horses.mdb").string());
        other.setClock(otherClock);
        std::vector<import::ChosenFile> weeks;
        for (const char* name : {"raceout310.txt", "raceout311.txt"})
            weeks.push_back({testing_support::kSamplesDir + "/" + name, name});
        ASSERT_EQ(import::importFiles(other, other.raceStorePath(), weeks), import::ImportResult::Done);
    }

    static HorseNotes horseNotes(const watch::WatchList& list) {
        HorseNotes notes;
        for (const auto& horse : list.horses) notes.emplace_back(horse.hid, horse.note);
        return notes;
    }
    static StableNotes stableNotes(const watch::WatchList& list) {
        StableNotes notes;
        for (const auto& stable : list.stables) notes.emplace_back(stable.name, stable.note);
        return notes;
    }
    std::string file(const std::string& name, const std::string& text) {
        const auto path = otherFolder / name;
        testing_support::writeBytes(path, text);
        return path.string();
    }

    testing_support::TestFolder otherFolder;
    testing_support::ScriptedDialogs otherDialogs;
    base::FixedClock otherClock{35997 + 212};
    shell::MainFinder other{otherDialogs};
};

TEST_F(WatchTransfer, RoundTripJoinsHorsesByNumberAndStablesByNameAndReportsTheRest) {
    ASSERT_TRUE(watch::watchHorse(window, kLemonDiamond, std::string("sprinter")));
    ASSERT_TRUE(watch::watchHorse(window, kScarletArrow, std::string("claim")));
    ASSERT_TRUE(watch::watchHorse(window, kFrozenSpirit, std::string("dam line")));
    ASSERT_TRUE(watch::watchStable(window, "Webb, A.", std::string("rival")));
    ASSERT_TRUE(watch::watchHorse(other, kScarletArrow, std::string("from b")));
    ASSERT_TRUE(watch::watchStable(other, "WEBB, A.", std::string("rival")));

    const std::string exported = (otherFolder / "list.json").string();
    const auto count = watch::exportWatchList(window, exported);
    ASSERT_TRUE(count);
    EXPECT_EQ(count->horses, 3U);
    std::string expected = R"({"harrowdexWatchList": 1,
        "horses": [{"id": 490421, "name": "Frozen Spirit", "note": "dam line", "added": "TODAY"},
                   {"id": 9948, "name": "Lemon Diamond", "note": "sprinter", "added": "TODAY"},
                   {"id": 5426737, "name": "Storm Scarlet Arrow", "note": "claim", "added": "TODAY"}],
        "stables": [{"name": "Webb, A.", "note": "rival", "added": "TODAY"}]})";
    for (auto at = expected.find("TODAY"); at != std::string::npos; at = expected.find("TODAY"))
        expected.replace(at, 5, base::isoDate(clock.today()));
    EXPECT_EQ(nlohmann::json::parse(testing_support::readBytes(exported)), nlohmann::json::parse(expected));
    const auto nowhere = otherFolder / "missing" / "list.json";
    EXPECT_FALSE(watch::exportWatchList(window, nowhere.string()));
    EXPECT_THAT(dialogs.messages, ElementsAre("The watch list could not be exported: Cannot write " + nowhere.string() +
                                              ": No such file or directory."));

    // Watched a hundred days later: one added by the import is dated so, not by the file.
    const base::FixedClock later{otherClock.today() + 100};
    other.setClock(later);
    const std::string longNote(1000, 'x');
    const struct {
        std::string path;
        std::vector<std::string> account;
        HorseNotes horses;
        StableNotes stables;
    } imports[] = {
        {exported,
         {"Horses added: 1. Stables added: 0. Notes joined: 1.",
          "Horses left out, not in the race store: 9948 \"Lemon Diamond\"."},
         {{kFrozenSpirit, "dam line"}, {kScarletArrow, "from b\nclaim"}},
         {{"Webb, A.", "rival"}}},
        // The same file again adds nothing.
        {exported,
         {"Horses added: 0. Stables added: 0. Notes joined: 0.",
          "Horses left out, not in the race store: 9948 \"Lemon Diamond\"."},
         {{kFrozenSpirit, "dam line"}, {kScarletArrow, "from b\nclaim"}},
         {{"Webb, A.", "rival"}}},
        {file("long.json", R"({"harrowdexWatchList": 1, "horses": [], "stables": [{"name": "webb, a.", "note": ")" +
                               longNote + R"("}, {"name": "Nobody Stables"}]})"),
         {"Horses added: 0. Stables added: 0. Notes joined: 1.",
          "Stables left out, not in the race store: \"Nobody Stables\".",
          "Imported notes cut to 1,000 characters, the store's kept whole: stable \"Webb, A.\"."},
         {{kFrozenSpirit, "dam line"}, {kScarletArrow, "from b\nclaim"}},
         {{"Webb, A.", "rival\n" + std::string(994, 'x')}}},
    };
    for (const auto& step : imports) {
        const auto account = watch::importWatchList(other, step.path);
        ASSERT_TRUE(account) << ::testing::PrintToString(otherDialogs.messages);
        EXPECT_THAT(watch::accountLines(*account), ElementsAreArray(step.account));
        const auto list = watch::readWatchList(other.raceStorePath());
        EXPECT_EQ(horseNotes(list), step.horses);
        EXPECT_EQ(stableNotes(list), step.stables);
    }
    const auto list = watch::readWatchList(other.raceStorePath());
    EXPECT_EQ(list.horses.at(0).addedDay, later.today());
    EXPECT_EQ(list.horses.at(1).addedDay, otherClock.today());
    EXPECT_TRUE(otherDialogs.messages.empty());
}

TEST_F(WatchTransfer, FileThatIsNoWatchListIsRefusedWithTheListUnchanged) {
    ASSERT_TRUE(watch::watchHorse(other, kFrozenSpirit, std::string("kept")));
    const auto before = watch::watchListJson(watch::readWatchList(other.raceStorePath()));
    // Each file holds a horse that could be watched before the fault, so a partial import would show.
    const auto withHorse = [](const std::string& entry) {
        return R"({"harrowdexWatchList": 1, "stables": [], "horses": [{"id": 5426737, "note": "n"}, )" + entry + "]}";
    };
    const struct {
        std::string text;
        std::string problem;
    } files[] = {
        {R"({"harrowdexWatchList": 1, "horses": [{"id": 5426737}], "stables": [])" + std::string("\n"),
         "is not a watch list: it is not JSON (parse error at line 2"},
        {"{\"harrowdexWatchList\": 1, \"horses\": [{\"id\": 5426737, \"name\": \"\xff\"}], \"stables\": []}",
         "is not a watch list: it is not JSON (parse error"},
        {withHorse(R"({"id": 7E7777})"), "is not a watch list: it is not JSON (number overflow parsing '7E7777')"},
        {R"([{"id": 5426737}])", "is not a watch list: it has no \"harrowdexWatchList\" mark."},
        {R"({"harrowdexWatchList": "1", "horses": [], "stables": []})",
         "is not a watch list: it is of format \"1\"; this version reads format 1."},
        {R"({"harrowdexWatchList": 1, "horses": [{"id": 5426737}]})",
         "is not a watch list: \"stables\" is not a list."},
        {withHorse("5426737"), "is not a watch list: entry 2 of \"horses\" is not an object."},
        {withHorse(R"({"name": "Frozen Spirit"})"), "is not a watch list: entry 2 of \"horses\" has no id."},
        {withHorse(R"({"id": "490421"})"),
         "is not a watch list: the id of entry 2 of \"horses\" is not a positive whole number."},
        {withHorse(R"({"id": 0})"),
         "is not a watch list: the id of entry 2 of \"horses\" is not a positive whole number."},
        {withHorse(R"({"id": 490421.5})"),
         "is not a watch list: the id of entry 2 of \"horses\" is not a positive whole number."},
        {withHorse(R"({"id": 18446744073709551615})"),
         "is not a watch list: the id of entry 2 of \"horses\" is not a positive whole number."},
        {withHorse(R"({"id": 490421, "note": ["a"]})"),
         "is not a watch list: the note of entry 2 of \"horses\" is not a text."},
        {withHorse(R"({"id": 490421, "note": ")" + std::string(1001, 'x') + "\"}"),
         "is not a watch list: the note of entry 2 of \"horses\" has 1,001 characters; a note holds at most 1,000."},
        {R"({"harrowdexWatchList": 1, "horses": [{"id": 5426737}], "stables": [{"note": "x"}]})",
         "is not a watch list: entry 1 of \"stables\" has no name."},
    };
    for (const auto& bad : files) {
        const std::string path = file("bad.json", bad.text);
        otherDialogs.messages.clear();
        EXPECT_FALSE(watch::importWatchList(other, path)) << bad.problem;
        EXPECT_THAT(otherDialogs.messages,
                    ElementsAre(::testing::AllOf(::testing::StartsWith("The file \"" + path + "\" " + bad.problem),
                                                 ::testing::EndsWith(". The watch list is unchanged."))));
        EXPECT_EQ(watch::watchListJson(watch::readWatchList(other.raceStorePath())), before) << bad.problem;
    }
    otherDialogs.messages.clear();
    EXPECT_FALSE(watch::importWatchList(other, (otherFolder / "none.json").string()));
    EXPECT_THAT(otherDialogs.messages, ElementsAre("The file \"" + (otherFolder / "none.json").string() +
                                                   "\" does not exist. The watch list is unchanged."));
}

}  // namespace
