// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_reader.h"

#include "base/utf8_text.h"
#include "progeny/text_lines.h"
#include "store/text_compare.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace progeny {

namespace {

constexpr std::string_view kCheckFile = "  Check the breeding.txt file.";
constexpr int kGroupLines = 4;

// The reading ends with a message at a line whose fields cannot be read.
struct BreedingFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

template <typename Whole>
std::optional<Whole> wholeNumber(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    Whole value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The fields of one line, as views into the line.
struct LineFields {
    std::int32_t number = 0;
    std::string_view name;
    std::int16_t age = 0;    // line 0 only
    std::string_view sex;    // line 0 only
};

// The same fields kept while the rest of the group is read, as copies: the lines of a
// group need not all be at hand at once. Reused from group to group, so that the strings
// keep their memory.
struct GroupLine {
    std::int32_t number = 0;
    std::string name;
    std::int16_t age = 0;
    std::string sex;

    void hold(const LineFields& fields) {
        number = fields.number;
        name.assign(fields.name);
        age = fields.age;
        sex.assign(fields.sex);
    }
};

[[noreturn]] void fault(int lineNumber, std::string_view what) {
    throw BreedingFault("Line " + std::to_string(lineNumber) + " of the breeding file " + std::string(what) + "." +
                        std::string(kCheckFile));
}

// The horse number and name of any line; on the horse's own line also its age and sex.
LineFields readFields(std::string_view line, int lineNumber, bool horseLine) {
    const auto first = line.find(',');
    const auto second = first == std::string_view::npos ? first : line.find(',', first + 1);
    const auto third = second == std::string_view::npos || !horseLine ? second : line.find(',', second + 1);
    if (second == std::string_view::npos || (horseLine && third == std::string_view::npos))
        fault(lineNumber, horseLine ? "lacks the commas between the horse's number, name, age and sex"
                                    : "lacks the commas between the horse's number and the name");
    LineFields fields;
    const auto number = wholeNumber<std::int32_t>(line.substr(0, first));
    if (!number) fault(lineNumber, "does not begin with a horse number");
    fields.number = *number;
    fields.name = line.substr(first + 1, second - first - 1);
    if (!horseLine) return fields;
    const auto age = wholeNumber<std::int16_t>(line.substr(second + 1, third - second - 1));
    if (!age) fault(lineNumber, "gives no age in whole years after the horse's name");
    fields.age = *age;
    fields.sex = base::leadingCharacter(line.substr(third + 1));
    return fields;
}

// Reads and drops the rest of a group that does not match. An empty line ends the group
// early; the line after it starts the next.
void skipRestOfGroup(TextLines& lines, int count) {
    for (int i = 0; i < count; ++i) {
        const auto line = lines.next();
        if (!line || line->empty()) return;
    }
}

Offspring keep(const std::array<GroupLine, kGroupLines>& group) {
    Offspring horse;
    horse.number = group[0].number;
    horse.name = group[0].name;
    horse.age = group[0].age;
    horse.sex = group[0].sex;
    horse.sire = group[1].name;
    horse.damSire = group[2].name;
    horse.damsDamSire = group[3].name;
    return horse;
}

// Reads one group; true when it describes a horse to keep, false when it was given up.
bool readGroup(TextLines& lines, std::string_view name, int position, std::array<GroupLine, kGroupLines>& group) {
    for (int index = 0; index < kGroupLines; ++index) {
        const auto line = lines.next();
        if (!line || line->empty()) return false;
        const LineFields fields = readFields(*line, lines.number(), index == 0);
        if (index == position && !store::equalsIgnoringCase(fields.name, name)) {
            skipRestOfGroup(lines, kGroupLines - 1 - index);
            return false;
        }
        group[static_cast<std::size_t>(index)].hold(fields);
    }
    const std::int32_t number = group[0].number;
    if (number != group[1].number && number != group[2].number && number != group[3].number)
        throw BreedingFault("There was an error with horse " + std::to_string(number) + "." + std::string(kCheckFile));
    return true;
}

BreedingSelection select(TextLines& lines, std::string_view name, Ancestor position) {
    BreedingSelection selection;
    std::array<GroupLine, kGroupLines> group;
    try {
        while (!lines.atEnd()) {
            if (!readGroup(lines, name, static_cast<int>(position), group)) continue;
            if (selection.offspring.size() == kMostOffspring)
                throw BreedingFault("More than 32,767 horses of the breeding file match this search; a listing "
                                    "holds at most 32,767.");
            selection.offspring.push_back(keep(group));
        }
    } catch (const std::runtime_error& fault) {  // of a line, or of reading the file
        selection.problem = fault.what();
    }
    return selection;
}

// No group is given up for a name: every whole one is read.
constexpr int kNoPosition = -1;

}  // namespace

BreedingSelection selectOffspring(std::string_view text, std::string_view name, Ancestor position) {
    TextLines lines(text);
    return select(lines, name, position);
}

BreedingSelection selectOffspring(TextSource& source, std::string_view name, Ancestor position) {
    try {
        TextLines lines(source);  // reads the first piece
        return select(lines, name, position);
    } catch (const std::runtime_error& unreadable) {
        return BreedingSelection{{}, unreadable.what()};
    }
}

std::optional<std::string> forEachAncestry(TextSource& source, const AncestryVisit& visit) {
    std::array<GroupLine, kGroupLines> group;
    try {
        TextLines lines(source);
        while (!lines.atEnd())
            if (readGroup(lines, {}, kNoPosition, group)) visit(group[1].name, group[2].name, group[3].name);
    } catch (const std::runtime_error& fault) {  // of a line, or of reading the file
        return fault.what();
    }
    return std::nullopt;
}

}  // namespace progeny
