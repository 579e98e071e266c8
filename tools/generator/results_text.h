// SPDX-License-Identifier: MIT
#pragma once

// The number and text forms of the simulation's results files, as harrowdex-generate-results
// writes them. Everything works on whole numbers, so that the bytes never depend on a
// platform's floating-point formatting.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace generator {

// A value given in hundredths, in its shortest decimal form: 91.86, 69, 0.4, -3.5.
inline std::string hundredths(int value) {
    std::string text = value < 0 ? "-" : "";
    text += std::to_string(std::abs(value) / 100);
    const std::string cents = std::to_string(100 + std::abs(value) % 100);
    const std::size_t end = cents.find_last_not_of('0');
    return end == 0 ? text : text + "." + cents.substr(1, end);
}

// An odds base given in units of 1e-8, rounded to four significant digits and written
// with its trailing zeros (0.7130, 0.06236), as the simulation writes it.
inline std::string oddsBase(std::uint64_t value) {
    std::uint64_t scale = 100'000'000, divisor = 1;
    for (std::uint64_t digits = value; digits >= 10'000; digits /= 10) {
        divisor *= 10;
        scale /= 10;
    }
    value = (value + divisor / 2) / divisor;
    if (value == 10'000) {  // 9999.5 rounds up to one digit more
        value = 1'000;
        scale /= 10;
    }
    return std::to_string(value / scale) + "." + std::to_string(scale + value % scale).substr(1);
}

inline std::string dollars(int amount) {
    std::string digits = std::to_string(amount);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return "$" + digits;
}

// W.TTRR in its shortest form (312.0507, 311.301), or the old form RR.TT (12.07, 25.13).
inline std::string raceNumberText(int week, int track, int race, bool legacy) {
    std::string text = std::to_string(legacy ? race : week) + ".";
    text += std::to_string(100 + track).substr(1);
    if (!legacy)
        text += std::to_string(100 + race).substr(1);
    return text.substr(0, text.find_last_not_of('0') + 1);
}

// Appends one record: its fields separated by commas, texts in double quotes, CRLF at the end.
class Record {
public:
    explicit Record(std::string& out) : out_(out) {}
    Record& text(std::string_view value) { return raw("\"" + std::string(value) + "\""); }
    Record& number(long long value) { return raw(std::to_string(value)); }
    Record& raw(std::string_view value) {
        out_.append(first_ ? "" : ",").append(value);
        first_ = false;
        return *this;
    }
    void end() { out_ += "\r\n"; }

private:
    std::string& out_;
    bool first_ = true;
};

}  // namespace generator
