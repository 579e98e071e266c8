// SPDX-License-Identifier: MIT
#include "import/number_forms.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace import {

namespace {

// Room for the fixed form of the largest double (309 digits) with sign and decimals.
constexpr std::size_t kFormRoom = 400;

template <typename T, typename... Options>
std::string format(T value, Options... options) {
    std::array<char, kFormRoom> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, options...);
    return std::string(buffer.data(), result.ptr);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// [sign] digits [. digits] with at least one digit; `grouping` also lets commas follow
// the first digit of the whole part.
bool isPlainDecimal(std::string_view text, bool grouping) {
    std::size_t i = 0;
    std::size_t digits = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    for (; i < text.size() && (isDigit(text[i]) || (grouping && digits > 0 && text[i] == ',')); ++i) {
        if (isDigit(text[i])) ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) ++digits;
    }
    return digits > 0 && i == text.size();
}

// Reads a text that isPlainDecimal accepted (without grouping commas), correctly rounded.
template <typename T>
std::optional<T> readDecimal(std::string_view text) {
    const bool negative = text.front() == '-';
    if (text.front() == '+' || negative) text.remove_prefix(1);  // from_chars takes no '+'
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // A whole part of zeros means the value is only too small: it reads as 0.
        if (text.find_first_not_of("0") == text.find('.') || text.front() == '.') return T{0};
        return std::nullopt;
    }
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

// The usual field, a few digits with a few decimals and nothing else, without
// from_chars: when both the digits as a whole number and the power of ten are exact in
// T, one division rounds correctly. False when the text is not such a number.
template <typename T>
bool readShortDecimal(std::string_view text, T& value) {
    constexpr std::uint64_t kExactLimit = std::is_same_v<T, float> ? (1u << 24) : (1ull << 53);
    constexpr std::size_t kMostDigits = 15;  // below 2^53, and no overflow of the sum
    static constexpr std::array<T, 11> kPowers{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
    const char* at = text.data();
    const char* const end = at + text.size();
    const bool negative = at < end && *at == '-';
    if (at < end && (negative || *at == '+')) ++at;
    std::uint64_t digits = 0;  // may wrap on a long text, which is then refused below
    const char* const wholeStart = at;
    while (at < end && isDigit(*at)) digits = digits * 10 + static_cast<std::uint64_t>(*at++ - '0');
    std::size_t count = static_cast<std::size_t>(at - wholeStart);
    std::size_t decimals = 0;
    if (at < end && *at == '.') {
        const char* const fractionStart = ++at;
        while (at < end && isDigit(*at)) digits = digits * 10 + static_cast<std::uint64_t>(*at++ - '0');
        decimals = static_cast<std::size_t>(at - fractionStart);
        count += decimals;
    }
    if (at != end || count == 0 || count > kMostDigits || digits >= kExactLimit || decimals >= kPowers.size()) {
        return false;
    }
    T result = static_cast<T>(digits);
    if (decimals > 0) result /= kPowers[decimals];
    value = negative ? -result : result;
    return true;
}

// Out-parameter rather than std::optional: this runs for every number of a file, and an
// optional<float> returned through memory costs a store-forwarding stall each time.
template <typename T>
bool parseField(std::string_view text, T& value) {
    if (readShortDecimal(text, value)) return true;  // refuses blanks: the usual case first
    text = trimBlanks(text);
    if (text.empty()) {
        value = 0;
        return true;
    }
    if (readShortDecimal(text, value)) return true;
    if (!isPlainDecimal(text, false)) return false;
    const auto read = readDecimal<T>(text);
    if (read) value = *read;
    return read.has_value();
}

template <typename Integer>
std::optional<Integer> roundTo(double value) {
    const double rounded = std::nearbyint(value);  // default rounding mode: halves to even
    // [min, -min) holds exactly the values of the width, and both bounds are exact doubles
    // (a maximum of 2^63 - 1 would round up to 2^63 and let 2^63 itself through).
    const double low = static_cast<double>(std::numeric_limits<Integer>::min());
    const double beyond = -low;
    if (!(rounded >= low && rounded < beyond)) return std::nullopt;
    return static_cast<Integer>(rounded);
}

}  // namespace

// Plain digits up to the type's last exact whole numbers, the exponent form beyond.
std::string fourDecimalForm(double value) { return format(value, std::chars_format::fixed, 4); }

bool parseNumber(std::string_view text, double& value) { return parseField(text, value); }
bool parseNumber(std::string_view text, float& value) { return parseField(text, value); }

std::optional<double> parseAmount(std::string_view text) {
    text = trimBlanks(text);
    if (!isPlainDecimal(text, true)) return std::nullopt;
    std::string plain;
    for (const char c : text) {
        if (c != ',') plain += c;
    }
    return readDecimal<double>(plain);
}

std::optional<double> readBackDouble(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int16_t> roundToInteger16(double value) { return roundTo<std::int16_t>(value); }
std::optional<std::int32_t> roundToInteger32(double value) { return roundTo<std::int32_t>(value); }
std::optional<std::int64_t> roundToInteger64(double value) { return roundTo<std::int64_t>(value); }

}  // namespace import
