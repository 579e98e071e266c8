// SPDX-License-Identifier: MIT
#include "lineage/horse_page_parser.h"

#include "base/capitalise.h"

#include <cstddef>
#include <optional>

namespace lineage {

namespace {

constexpr char kCR = '\r';

// A position in the page counted from 0, or none when the marker it came from is missing.
using Position = std::optional<std::size_t>;

Position plus(Position at, std::size_t count) { return at ? Position(*at + count) : std::nullopt; }
// Unknown, rather than wrapped round, when it would lie before the page.
Position minus(Position at, std::size_t count) { return at && *at >= count ? Position(*at - count) : std::nullopt; }

std::string withoutOuterBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Upper case for ASCII letters only, so UTF-8 names keep every byte of their other letters.
std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The steps read the page in order; the positions one step finds are where later steps
// start their searches.
class HorsePageReader {
public:
    explicit HorsePageReader(std::string_view page) : page_(page) {}

    HorsePage read();

private:
    Position find(std::string_view marker, Position from) const;
    // The text from `from` up to, not including, `to`; empty when either is unknown or
    // `to` lies before `from`.
    std::string between(Position from, Position to) const;
    // Where a step starts: at `wanted`, or where the step before started when `wanted` is
    // unknown. The page's beginning starts a new chain of steps.
    std::size_t startAt(Position wanted);
    std::size_t restart();

    std::string name();
    std::string owner();
    std::string earnings();
    std::string description();
    std::string ranking();
    std::string claimTag();
    std::string nonMcosWins();
    std::string recentWins();
    Pedigree pedigree() const;

    std::string_view page_;
    std::size_t start_ = 0;
    Position nameEnd_, ownerStart_, ownerEnd_, descriptionStart_, rankingStart_, claimTagStart_;
};

Position HorsePageReader::find(std::string_view marker, Position from) const {
    if (!from || *from > page_.size()) return std::nullopt;
    const auto at = page_.find(marker, *from);
    return at == std::string_view::npos ? std::nullopt : Position(at);
}

std::string HorsePageReader::between(Position from, Position to) const {
    if (!from || !to || *to < *from || *to > page_.size()) return {};
    return std::string(page_.substr(*from, *to - *from));
}

std::size_t HorsePageReader::startAt(Position wanted) {
    if (wanted) start_ = *wanted;
    return start_;
}

std::size_t HorsePageReader::restart() { return start_ = 0; }

std::string HorsePageReader::name() {
    // The name stands on the line after the large font's tag, before the cell's end.
    const Position start = plus(find("font size=4", restart()), 14);
    nameEnd_ = minus(find("</td>", start), 2);
    return base::capitaliseWords(between(start, nameEnd_));
}

std::string HorsePageReader::owner() {
    ownerStart_ = plus(find("&idno=&name=", startAt(nameEnd_)), 12);
    ownerEnd_ = find(">", ownerStart_);
    return withoutOuterBlanks(between(ownerStart_, ownerEnd_));
}

std::string HorsePageReader::earnings() {
    const Position start = find("$", startAt(ownerEnd_));
    return between(start, find("</th>", start));
}

std::string HorsePageReader::description() {
    descriptionStart_ = plus(find("<font size=2>", find("ID#", restart())), 13);
    const Position end = find("</font>", descriptionStart_);
    if (!descriptionStart_ || !end) return {};
    // A one- or two-character value (the colour), then a line break that becomes a blank.
    const std::size_t start = *descriptionStart_;
    const bool oneCharacter = start + 1 < page_.size() && page_[start + 1] == kCR;
    const std::size_t valueLength = oneCharacter ? 1 : 2;
    const std::size_t restStart = start + valueLength + 2;
    if (restStart > *end) return {};
    std::string text = std::string(page_.substr(start, valueLength)) + " " + between(restStart, end);
    // A bold part says that the owner bred the horse.
    const auto bold = text.find("<b>");
    if (bold == std::string::npos) return text;
    const auto boldEnd = text.find("</b>", bold);
    if (boldEnd == std::string::npos) return {};
    return text.substr(0, bold) + "HOMEBRED" + text.substr(boldEnd + 4);
}

std::string HorsePageReader::ranking() {
    const Position label = plus(find("Divisional Ranking:", startAt(descriptionStart_)), 10);
    rankingStart_ = plus(find("<b>", label), 3);
    return between(rankingStart_, find("</b>", rankingStart_));
}

std::string HorsePageReader::claimTag() {
    const Position label = plus(find("Low Claim-Tag/Year", startAt(rankingStart_)), 10);
    claimTagStart_ = plus(find("<td align=right>", label), 16);
    // The amount is followed by a line break and two blanks inside the cell.
    return between(claimTagStart_, minus(find("</td>", claimTagStart_), 4));
}

std::string HorsePageReader::nonMcosWins() {
    const Position label = plus(find("Non M/C/O/S", startAt(claimTagStart_)), 10);
    const Position start = plus(find("<td align=right>", label), 16);
    return between(start, find("</td>", start));
}

// Only "3 months:" is searched for; the four bold values follow it in a fixed order. Without
// it the values stay empty rather than being taken from another bold text of the page.
std::string HorsePageReader::recentWins() {
    static constexpr const char* kLabels[] = {"3 months: ", "\r6 months: ", "\r9 months: ", "\rYear: "};
    Position from = find("3 months:", restart());
    std::string text;
    for (const char* label : kLabels) {
        const Position start = plus(find("<b>", from), 3);
        text += label + between(start, find("</b>", start));
        if (start) from = start;
    }
    return text;
}

Pedigree HorsePageReader::pedigree() const {
    // Each marker is searched from the page's beginning: "Sire</th>" is its first
    // occurrence. The offset steps over the marker and the line break after it.
    static constexpr std::string_view kRowMarkers[] = {"Horse</th>", "Sire</th>", "Dam-Sire</th>",
                                                       "Sire's Sire</th>"};
    Pedigree cells;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        Position from = plus(find(kRowMarkers[row], 0), kRowMarkers[row].size() + 1);
        for (auto& cell : cells[row]) {
            // The link's text starts on the line after its tag.
            const Position start = plus(find(">", plus(find("<a", from), 1)), 3);
            cell = between(start, find("</a", start));
            from = start;
        }
    }
    return cells;
}

HorsePage HorsePageReader::read() {
    HorsePage horse;
    horse.name = name();
    const std::string ownerName = owner();
    const std::string earningsText = earnings();
    horse.misc = "Owner:   " + upperCase(ownerName) + kCR + kCR;
    horse.misc += description();
    horse.misc += std::string{kCR, kCR} + "Div. Ranking: " + ranking();
    horse.misc += "\rLow Claim-Tag/Year: " + claimTag();
    horse.misc += "\rNon M/C/O/S Wins: " + nonMcosWins();
    horse.winstats = "Earnings:  " + earningsText + "\r\rWins in the last:\r" + recentWins();
    horse.pedigree = pedigree();
    return horse;
}

}  // namespace

HorsePage parseHorsePage(std::string_view page) { return HorsePageReader(page).read(); }

}  // namespace lineage
