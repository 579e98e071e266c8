// SPDX-License-Identifier: MIT
// harrowdex-generate-results: made-up weekly results files in the simulation's layout, with
// their breeding file and horse pages if asked, for benchmarks, scale tests and the demo
// season. A seed gives the same bytes on every machine: the engine's
// output sequence is fixed by the C++ standard, the distributions are made here, and all
// arithmetic after the engine is on whole numbers (speeds in hundredths, odds bases in
// units of 1e-8), so no library distribution and no floating-point rounding takes part.
// Two random draws never stand in one expression, whose evaluation order is unspecified.
#include "generator/horse_page.h"
#include "generator/options.h"
#include "generator/pedigree.h"
#include "generator/population.h"
#include "generator/random.h"
#include "generator/week_writer.h"
#include "base/atomic_file.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using namespace generator;

std::string sexOnPage(const Foal& foal, int age, char breedingSex) {
    if (foal.female) return age <= 4 ? "filly" : "mare";
    if (age <= 4) return "colt";
    return breedingSex == 'G' ? "gelding" : "horse";
}

// The page of every horse that ran, with the pedigree of the breeding file.
void writePages(const Options& options, Population& horses, const Pedigree<Random>& pedigree) {
    std::filesystem::create_directories(options.pages);
    const int lastWeek = options.firstWeek + options.weeks - 1;
    int written = 0;
    for (std::size_t i = 0; i < horses.foals().size(); ++i) {
        const Foal& foal = horses.foals()[i];
        const Career& career = horses.career(i);
        if (career.starts == 0) continue;
        const int age = (lastWeek - foal.foaledWeek) / 52;
        PageHorse page{foal.number, foal.name, horses.ownerName(career.owner),
                       sexOnPage(foal, age, pedigree.sexLetter(foal.number)), age, &career, pedigree.table(foal.number)};
        const auto path = options.pages / (std::to_string(foal.number) + ".html");
        // Thousands of small files: written plainly, without a flush to the disk each.
        std::ofstream file(path, std::ios::binary);
        file << horsePageText(page, std::to_string(career.owner + 1), lastWeek);
        if (!file.flush()) throw std::runtime_error("The horse page " + path.string() + " could not be written");
        ++written;
    }
    std::cout << "Wrote " << written << " horse pages into " << options.pages.string() << '\n';
}

// Drawn from an engine of its own, so the results files stay the same with or without it.
void writeBreedingFile(const Options& options, Population& horses) {
    Random random(options.seed ^ 0x9E3779B97F4A7C15u);
    Pedigree pedigree(random, static_cast<std::size_t>(options.stallions));
    const std::string text = pedigree.breedingText(horses.foals(), options.firstWeek + options.weeks - 1);
    if (const auto failure = base::writeFileAtomically(options.breeding, text)) throw std::runtime_error(*failure);
    std::cout << "Wrote the breeding file " << options.breeding.string() << " (" << horses.foals().size()
              << " horses; the largest family: " << pedigree.largestFamily() << ", "
              << pedigree.largestFamilySize() << " offspring)\n";
    if (!options.pages.empty()) writePages(options, horses, pedigree);
}

void generate(const Options& options) {
    std::filesystem::create_directories(options.out);
    Random random(options.seed);
    Population horses(random, options);
    WeekWriter writer(random, horses, options);
    std::uint64_t bytes = 0;
    for (int week = options.firstWeek; week < options.firstWeek + options.weeks; ++week) {
        const std::string text = writer.write(week);
        const auto path = options.out / ("raceout" + std::to_string(week) + ".txt");
        if (const auto failure = base::writeFileAtomically(path, text)) throw std::runtime_error(*failure);
        bytes += text.size();
    }
    std::cout << "Wrote " << options.weeks << " results files (" << options.weeks * options.racesPerWeek << " races, "
              << writer.runs() << " runs, " << bytes
              << " bytes) into " << options.out.string() << '\n';
    if (!options.tracks.empty()) {
        if (const auto failure = base::writeFileAtomically(options.tracks, writer.trackList()))
            throw std::runtime_error(*failure);
        std::cout << "Wrote the track list " << options.tracks.string() << '\n';
    }
    if (!options.breeding.empty()) writeBreedingFile(options, horses);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Writes made-up weekly results files, breeding file and horse pages for benchmarks, tests and the demo.",
                 "harrowdex-generate-results");
    Options options;
    addOptions(app, options);
    try {
        app.parse(argc, argv);
        if (options.minRunners > options.maxRunners)
            throw CLI::ValidationError("--min-runners is above --max-runners");
        if (options.firstWeek + options.weeks - 1 > 32767)
            throw CLI::ValidationError("the last week would be above 32767");
        if (!options.pages.empty() && options.breeding.empty())
            throw CLI::ValidationError("--pages needs --breeding, whose pedigrees the pages show");
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e);  // --help
        std::cerr << app.get_name() << ": " << e.what() << '\n'
                  << CLI::Formatter().make_usage(&app, app.get_name());
        return 2;
    }
    try {
        generate(options);
        return 0;
    } catch (const std::exception& e) {  // a folder or file that cannot be written
        std::cerr << e.what() << '\n';
        return 1;
    }
}
