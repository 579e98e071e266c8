// SPDX-License-Identifier: MIT
#include "watch/watch_list_json.h"

#include "base/calendar.h"
#include "base/number_format.h"
#include "base/utf8_text.h"
#include "watch/watch_commands.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace watch {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

// A problem found while reading; carries the words that name it.
struct NotAWatchList {
    std::string problem;
};

std::string entryName(const char* list, std::size_t index) {
    return "entry " + std::to_string(index + 1) + " of \"" + list + "\"";
}

// A text field: empty when absent (a file may leave a note or a horse's name out).
std::string textField(const json& entry, const char* field, const std::string& where) {
    const auto found = entry.find(field);
    if (found == entry.end() || found->is_null()) return {};
    if (!found->is_string()) throw NotAWatchList{"the " + std::string(field) + " of " + where + " is not a text"};
    return found->get<std::string>();
}

std::string noteField(const json& entry, const std::string& where) {
    std::string note = textField(entry, "note", where);
    const std::size_t length = base::characterCount(note);
    if (length > kMostNoteCharacters)
        throw NotAWatchList{"the note of " + where + " has " + base::formatNumber(length, "#,##0") +
                            " characters; a note holds at most " + base::formatNumber(kMostNoteCharacters, "#,##0")};
    return note;
}

std::int64_t horseNumber(const json& entry, const std::string& where) {
    const auto found = entry.find("id");
    if (found == entry.end()) throw NotAWatchList{where + " has no id"};
    std::int64_t hid = 0;
    if (found->is_number_unsigned()) {
        const auto value = found->get<std::uint64_t>();
        if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            hid = static_cast<std::int64_t>(value);
    } else if (found->is_number_integer()) {
        hid = found->get<std::int64_t>();
    }
    if (hid <= 0) throw NotAWatchList{"the id of " + where + " is not a positive whole number"};
    return hid;
}

const json& listField(const json& file, const char* field) {
    const auto found = file.find(field);
    if (found == file.end() || !found->is_array()) throw NotAWatchList{"\"" + std::string(field) + "\" is not a list"};
    return *found;
}

const json& entryAt(const json& list, const char* field, std::size_t index) {
    const json& entry = list[index];
    if (!entry.is_object()) throw NotAWatchList{entryName(field, index) + " is not an object"};
    return entry;
}

void checkMark(const json& file) {
    if (!file.is_object() || !file.contains(kWatchListMark))
        throw NotAWatchList{"it has no \"" + std::string(kWatchListMark) + "\" mark"};
    const json& format = file[kWatchListMark];
    if (!format.is_number_integer() || format.get<std::int64_t>() != kWatchListFormat)
        throw NotAWatchList{"it is of format " + format.dump() + "; this version reads format " +
                            std::to_string(kWatchListFormat)};
}

CarriedList carriedList(const json& file) {
    checkMark(file);
    CarriedList carried;
    const json& horses = listField(file, "horses");
    for (std::size_t i = 0; i < horses.size(); ++i) {
        const json& entry = entryAt(horses, "horses", i);
        const std::string name = entryName("horses", i);
        carried.horses.push_back({horseNumber(entry, name), textField(entry, "name", name), noteField(entry, name)});
    }
    const json& stables = listField(file, "stables");
    for (std::size_t i = 0; i < stables.size(); ++i) {
        const json& entry = entryAt(stables, "stables", i);
        const std::string name = entryName("stables", i);
        std::string stable = textField(entry, "name", name);
        if (stable.empty()) throw NotAWatchList{name + " has no name"};
        carried.stables.push_back({std::move(stable), noteField(entry, name)});
    }
    return carried;
}

// The parser's own words, without its "[json.exception...] " code. Besides parse errors the parser
// throws out_of_range for a number too large for a double, so every exception of the library counts.
std::string parseProblem(const json::exception& error) {
    std::string what = error.what();
    if (const auto end = what.find("] "); what.starts_with('[') && end != std::string::npos) what.erase(0, end + 2);
    return "it is not JSON (" + what + ")";
}

json parsedJson(std::string_view text) {
    try {
        return json::parse(text);
    } catch (const json::exception& error) { throw NotAWatchList{parseProblem(error)}; }
}

}  // namespace

std::string watchListJson(const WatchList& list) {
    ordered_json horses = ordered_json::array();
    for (const auto& horse : list.horses)
        horses.push_back(
            {{"id", horse.hid}, {"name", horse.name}, {"note", horse.note}, {"added", base::isoDate(horse.addedDay)}});
    ordered_json stables = ordered_json::array();
    for (const auto& stable : list.stables)
        stables.push_back({{"name", stable.name}, {"note", stable.note}, {"added", base::isoDate(stable.addedDay)}});
    const ordered_json file{{kWatchListMark, kWatchListFormat}, {"horses", horses}, {"stables", stables}};
    return file.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

ReadCarriedList readWatchListJson(std::string_view text) {
    ReadCarriedList read;
    try {
        read.list = carriedList(parsedJson(text));
    } catch (const NotAWatchList& error) { read.problem = error.problem; }
    return read;
}

}  // namespace watch
