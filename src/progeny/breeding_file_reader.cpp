// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_reader.h"

#include "store/text_compare.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace progeny {

namespace {

constexpr std::string_view kCheckFile = "  Check the breeding.txt file.";
constexpr int kGroupLines = 4;

// The reading ends with a message at a line whose fields cannot be read.
struct BreedingFault {
    std::string message;
};

// The file's lines, with CRLF, LF and a lone CR all ending a line. A line break at the
// very end starts no further line.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {
        if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);  // a byte-order mark
    }

    bool atEnd() const { return rest_.empty(); }
    int number() const { return number_; }

    std::optional<std::string_view> next() {
        if (rest_.empty()) return std::nullopt;
        const char* begin = rest_.data();
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', rest_.size()));
        std::size_t end = lf ? static_cast<std::size_t>(lf - begin) : rest_.size();
        if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', end)))
            end = static_cast<std::size_t>(cr - begin);
        const std::string_view line = rest_.substr(0, end);
        std::size_t consumed = end;
        if (consumed < rest_.size()) consumed += rest_.substr(end).starts_with("\r\n") ? 2 : 1;
        rest_.remove_prefix(consumed);
        ++number_;
        return line;
    }

private:
    std::string_view rest_;
    int number_ = 0;
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
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

// One character of UTF-8 text: its first byte and the continuation bytes after it.
std::string_view firstCharacter(std::string_view text) {
    std::size_t length = text.empty() ? 0 : 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) ++length;
    return text.substr(0, length);
}

// The fields of one line of a group, as views into the file's text.
struct LineFields {
    std::int32_t number = 0;
    std::string_view name;
    std::int16_t age = 0;        // line 0 only
    std::string_view sex;        // line 0 only
};

[[noreturn]] void fault(int lineNumber, std::string_view what) {
    throw BreedingFault{"Line " + std::to_string(lineNumber) + " of the breeding file " + std::string(what) + "." +
                        std::string(kCheckFile)};
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
    fields.sex = firstCharacter(line.substr(third + 1));
    return fields;
}

// Reads and drops the rest of a group that does not match. An empty line ends the group
// early; the line after it starts the next.
void skipRestOfGroup(Lines& lines, int count) {
    for (int i = 0; i < count; ++i) {
        const auto line = lines.next();
        if (!line || line->empty()) return;
    }
}

Offspring keep(const std::array<LineFields, kGroupLines>& group) {
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
bool readGroup(Lines& lines, std::string_view name, int position, std::array<LineFields, kGroupLines>& group) {
    for (int index = 0; index < kGroupLines; ++index) {
        const auto line = lines.next();
        if (!line || line->empty()) return false;
        group[static_cast<std::size_t>(index)] = readFields(*line, lines.number(), index == 0);
        if (index == position && !store::equalsIgnoringCase(group[static_cast<std::size_t>(index)].name, name)) {
            skipRestOfGroup(lines, kGroupLines - 1 - index);
            return false;
        }
    }
    const std::int32_t number = group[0].number;
    if (number != group[1].number && number != group[2].number && number != group[3].number)
        throw BreedingFault{"There was an error with horse " + std::to_string(number) + "." + std::string(kCheckFile)};
    return true;
}

}  // namespace

BreedingSelection selectOffspring(std::string_view text, std::string_view name, Ancestor position) {
    BreedingSelection selection;
    Lines lines(text);
    std::array<LineFields, kGroupLines> group;
    try {
        while (!lines.atEnd()) {
            group.fill(LineFields{});
            if (!readGroup(lines, name, static_cast<int>(position), group)) continue;
            if (selection.offspring.size() == kMostOffspring)
                throw BreedingFault{"More than 32,767 horses of the breeding file match this search; a listing "
                                    "holds at most 32,767."};
            selection.offspring.push_back(keep(group));
        }
    } catch (const BreedingFault& fault) {
        selection.problem = fault.message;
    }
    return selection;
}

}  // namespace progeny
