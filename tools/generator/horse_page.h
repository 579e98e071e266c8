// SPDX-License-Identifier: MIT
#pragma once

// The horse pages that harrowdex-generate-results writes for the horses of its results
// files, in the simulation's page layout, as the lineage lookup reads them: the horse's
// name, owner, description, figures of its career in the generated weeks, and a pedigree
// that agrees with the breeding file.
#include "results_text.h"
#include "vocabulary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace generator {

// What a horse did in the generated weeks, as far as its page tells.
struct Career {
    int ability = 0;    // hundredths of a speed figure
    int priorWins = 0;  // wins before the first generated week
    int owner = -1;     // at its last start
    int starts = 0;
    int earnings = 0;   // dollars
    int openWins = 0;   // wins outside maiden, claiming, optional claiming and starter races
    int lowestClaim = 0;  // the lowest claiming price it ran for; 0 when none
    std::vector<int> winWeeks;
};

// A stallion of a pedigree: its name and the number its page link carries.
struct Ancestor {
    std::string name;
    std::uint32_t number = 0;
};

// The pedigree table of a page: the horse's sire, dam-sire and dam's dam-sire lines (row
// "Horse"), then the same three for its sire, its dam-sire and its sire's sire.
using PedigreeRow = std::array<Ancestor, 3>;
using PedigreeTable = std::array<PedigreeRow, 4>;

struct PageHorse {
    std::uint32_t number = 0;
    std::string name, owner, sex;  // sex as the page spells it: colt, filly, horse, gelding, mare
    int age = 0;
    const Career* career = nullptr;
    PedigreeTable pedigree;
};

namespace page_detail {

// Fixed per horse without a random draw, so pages never change the results or breeding files.
inline std::uint32_t mix(std::uint32_t number, std::uint32_t salt) {
    std::uint64_t x = (std::uint64_t{number} << 8 | salt) * 0x9E3779B97F4A7C15u;
    return static_cast<std::uint32_t>(x >> 35);
}

inline std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The program's calendar gives each week number a day of its own, so "weeks" here are days.
inline int winsWithin(const Career& career, int lastWeek, int days) {
    return static_cast<int>(std::ranges::count_if(career.winWeeks, [&](int week) { return week > lastWeek - days; }));
}

}  // namespace page_detail

// The page of one horse as it stands after `lastWeek`; CRLF line breaks, as the server sends.
inline std::string horsePageText(const PageHorse& horse, const std::string& ownerStable, int lastWeek) {
    using namespace page_detail;
    static constexpr std::string_view kColours[] = {"B", "Ch", "Dk", "Gr", "Ro", "Bl"};
    static constexpr std::string_view kHeaders[] = {"Horse", "Sire", "Dam-Sire", "Sire's Sire"};
    const Career& career = *horse.career;
    const std::string id = std::to_string(horse.number);
    const std::uint32_t look = mix(horse.number, 1);
    std::string description(kColours[look % std::size(kColours)]);
    description += "\r\n" + horse.sex + ", " + std::to_string(horse.age) + " years old, bred in ";
    description += std::string(kPlaces[look / 8 % std::size(kPlaces)]) + " County";
    if (look / 256 % 8 == 0) description += " <b>(bred by its owner)</b>";
    const int ranking = std::clamp((10500 - career.ability) / 15 + 1, 1, 300);

    std::vector<std::string> lines = {
        "<html>", "<head><title>Horse Profile</title></head>", "<body bgcolor=white>", "<table width=600 border=0>",
        "<tr><td align=center><font size=4>", horse.name, "</td></tr>",
        "<tr><td align=center>Owner: <a href=/hr/runtime/onestable.asp?stab=" + ownerStable +
            "&idno=&name=" + horse.owner + " >" + horse.owner + "</a></td></tr>",
        "</table>", "<table border=1>",
        "<tr><th>Career Earnings</th><th>" + dollars(career.earnings + career.priorWins * 7500) + "</th></tr>",
        "</table>", "<table border=0>", "<tr><td>ID# " + id + "</td><td><font size=2>" + description + "</font></td></tr>",
        "<tr><td>Divisional Ranking: <b>" + std::to_string(ranking) + "</b></td></tr>",
        "<tr><td>Low Claim-Tag/Year</td><td align=right>" +
            (career.lowestClaim > 0 ? dollars(career.lowestClaim) : std::string("None")) + "\r\n  </td></tr>",
        "<tr><td>Non M/C/O/S Wins</td><td align=right>" + std::to_string(career.openWins + career.priorWins / 2) +
            "</td></tr>",
        "</table>", "<table border=0>",
        "<tr><td>Wins in the last</td><td>3 months: <b>" + std::to_string(winsWithin(career, lastWeek, 91)) +
            "</b></td><td>6 months: <b>" + std::to_string(winsWithin(career, lastWeek, 182)) +
            "</b></td><td>9 months: <b>" + std::to_string(winsWithin(career, lastWeek, 273)) +
            "</b></td><td>Year: <b>" + std::to_string(winsWithin(career, lastWeek, 365)) + "</b></td></tr>",
        "</table>", "<table border=1>",
        "<tr><th>&nbsp;</th><th>Sire Line</th><th>Dam-Sire Line</th><th>Dam's Dam-Sire Line</th></tr>"};
    for (std::size_t row = 0; row < horse.pedigree.size(); ++row) {
        lines.push_back("<tr><th>" + std::string(kHeaders[row]) + "</th>");
        for (const Ancestor& ancestor : horse.pedigree[row]) {
            lines.push_back("<td><a href=/hr/runtime/onehoss.asp?hossnum=" + std::to_string(ancestor.number) + ">");
            lines.push_back(upper(ancestor.name) + "</a></td>");
        }
        lines.push_back("</tr>");
    }
    lines.insert(lines.end(), {"</table>", "</body>", "</html>"});
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace generator
