// SPDX-License-Identifier: MIT
#include "base/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace base {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Accepts [sign] digits [. digits] [e|E [sign] digits], with at least one digit in the
// mantissa; returns the length of that form at the start of `text`, or 0.
std::size_t numberFormLength(std::string_view text) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return 0;  // "12e" is not a number
    }
    return i;
}

// Power of ten of the first significant digit of a well-formed number ("0.004e2" gives
// -1), enough to tell an overflow from an underflow; an exponent of absurd length
// saturates rather than wrapping.
long long decimalMagnitude(std::string_view text) {
    const std::size_t exponentAt = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    long long magnitude = first < point ? static_cast<long long>(point - first) - 1
                                        : -static_cast<long long>(first - point);
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = text.substr(exponentAt + 1);
        const bool negative = exponent.front() == '-';
        if (exponent.front() == '+' || negative) exponent.remove_prefix(1);
        long long value = 0;
        for (const char digit : exponent) value = std::min(value * 10 + (digit - '0'), 1'000'000'000LL);
        magnitude += negative ? -value : value;
    }
    return magnitude;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    const std::size_t length = numberFormLength(text);
    if (length == 0 || length != text.size()) return std::nullopt;
    // from_chars rejects a leading '+'.
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond a double: still a number, infinity for a huge one, zero for a tiny one.
        if (decimalMagnitude(text) < 0) return 0.0;
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace base
