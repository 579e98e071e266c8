// SPDX-License-Identifier: MIT
// What a run of the generator writes, and the command line options that set it.
#pragma once

#include "pedigree.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>

namespace generator {

struct Options {
    std::filesystem::path out;
    std::filesystem::path breeding;  // empty: no breeding file
    std::filesystem::path pages;     // empty: no horse pages
    std::filesystem::path tracks;    // empty: no track list
    int stallions = static_cast<int>(kStallions);
    int firstWeek = 0, weeks = 0, racesPerWeek = 400, minRunners = 6, maxRunners = 12;
    int horses = 60000, owners = 3000;
    std::uint64_t seed = 1;
    bool legacyNumbers = false;
};

inline void addOptions(CLI::App& app, Options& options) {
    app.add_option("--out", options.out, "Folder for the raceoutNNN.txt files (made when missing)")->required();
    app.add_option("--first-week", options.firstWeek,
                   "Week of the first file; from 26, as the importer reads a lower race number as the old form")
        ->required()
        ->check(CLI::Range(26, 32767));
    app.add_option("--weeks", options.weeks, "Number of weekly files")->required()->check(CLI::Range(1, 32767));
    const auto optional = [&app](const char* name, auto& value, const char* about, auto low, auto high) {
        app.add_option(name, value, about)->capture_default_str()->check(CLI::Range(low, high));
    };
    optional("--races-per-week", options.racesPerWeek, "Races in each file", 1, 99 * 99);
    optional("--min-runners", options.minRunners, "Fewest runners drawn for a race", 1, 12);
    optional("--max-runners", options.maxRunners, "Most runners drawn for a race", 1, 12);
    optional("--horses", options.horses, "Horses in training at any time", 200, 500'000);
    optional("--owners", options.owners, "Owners (stables)", 1, 20'000);
    optional("--seed", options.seed, "Seed; the same seed and options give the same files", std::uint64_t{0},
             UINT64_MAX);
    app.add_option("--breeding", options.breeding,
                   "Also write a breeding file of every horse, with a few large sire families");
    optional("--stallions", options.stallions, "Stallions of the breeding file's ancestor lines", 20, 5000);
    app.add_option("--pages", options.pages,
                   "Also write the page of every horse that ran, as NUMBER.html, into this folder (needs --breeding)");
    app.add_option("--tracks", options.tracks, "Also write the track list, one line a track: its number and code");
    app.add_flag("--legacy-numbers", options.legacyNumbers,
                 "Write a few race numbers in the old form RR.TT (race, then track)");
}

}  // namespace generator
