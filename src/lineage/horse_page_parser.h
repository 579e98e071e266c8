// SPDX-License-Identifier: MIT
// Reads the texts and pedigree cells of a horse page from the simulation's web server.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lineage {

// The pedigree cells of the lineage grid: rows Horse, Sire, Dam-Sire and Sire's Sire;
// columns the sire line, the dam-sire line and the dam's dam-sire line.
using Pedigree = std::array<std::array<std::string, 3>, 4>;

// What the lineage window shows of one horse page. Line breaks are carriage returns.
struct HorsePage {
    std::string name;      // the page's whole name, in capitalised words
    std::string misc;      // `lblmisc`: owner, description, ranking, claim tag, wins
    std::string winstats;  // `lblwinstats`: earnings and the wins of the last months
    Pedigree pedigree;
};

// Reads a horse page of the simulation's web server by the fixed markers of its markup,
// in a fixed order; no markup parser is involved. A page of any length is read. Where a
// marker is missing, or the text between two positions would have a negative length, that
// one field stays empty and the others are still read; a later step whose starting point
// is unknown starts where the step before it started.
HorsePage parseHorsePage(std::string_view page);

}  // namespace lineage
