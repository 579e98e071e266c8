// SPDX-License-Identifier: MIT
#include "base/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <type_traits>
#include <stdexcept>

namespace base {

namespace {

// Beyond any double's decimal exponent; a text past it is refused rather than padded.
constexpr int kMaxDecimalExponent = 400;

// One number field with literal text around it.
struct Mask {
    std::string_view prefix;  // parts of the mask's text
    std::string_view suffix;
    int minWholeDigits = 0;  // the "0"s of the whole part
    int decimals = 0;
    bool grouping = false;
    bool percent = false;
};

// A decimal value 0.DIGITS × 10^point, significant digits only (none for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;
};

[[noreturn]] void badMask(std::string_view mask) {
    throw std::invalid_argument("unsupported number format \"" + std::string(mask) + "\"");
}

bool isFieldChar(char c) { return c == '#' || c == '0' || c == ',' || c == '.'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

Mask parseMask(std::string_view text) {
    Mask mask;
    std::size_t i = 0;
    while (i < text.size() && !isFieldChar(text[i])) ++i;
    mask.prefix = text.substr(0, i);
    bool inDecimals = false;
    bool anyDigit = false;
    for (; i < text.size() && isFieldChar(text[i]); ++i) {
        const char c = text[i];
        if (c == '.') {
            if (inDecimals) badMask(text);
            inDecimals = true;
        } else if (inDecimals) {
            if (c != '0') badMask(text);  // only fixed decimals are used
            ++mask.decimals;
        } else if (c == ',') {
            // A trailing comma would scale by thousands, which no display does.
            if (!anyDigit || i + 1 >= text.size() || (text[i + 1] != '#' && text[i + 1] != '0')) badMask(text);
            mask.grouping = true;
        } else {
            anyDigit = true;
            if (c == '0') ++mask.minWholeDigits;
        }
    }
    if (!anyDigit && mask.decimals == 0) badMask(text);
    mask.suffix = text.substr(i);
    if (std::ranges::any_of(mask.suffix, isFieldChar)) badMask(text);
    mask.percent = mask.prefix.find('%') != std::string_view::npos || mask.suffix.find('%') != std::string_view::npos;
    return mask;
}

[[noreturn]] void badNumber(std::string_view text) {
    throw std::invalid_argument("not a decimal number: \"" + std::string(text) + "\"");
}

int parseExponent(std::string_view text, std::size_t& i, std::string_view whole) {
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size()) badNumber(whole);
    int exponent = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        exponent = exponent * 10 + (text[i] - '0');
        if (exponent > kMaxDecimalExponent) badNumber(whole);
    }
    return negative ? -exponent : exponent;
}

Decimal parseDecimal(std::string_view text) {
    Decimal number;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        number.negative = true;
        ++i;
    }
    std::string mantissa;
    mantissa.reserve(text.size());
    int wholeDigits = -1;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] != '.') {
            mantissa += text[i];
        } else if (wholeDigits >= 0) {
            badNumber(text);
        } else {
            wholeDigits = static_cast<int>(mantissa.size());
        }
    }
    if (mantissa.empty()) badNumber(text);
    number.point = wholeDigits >= 0 ? wholeDigits : static_cast<int>(mantissa.size());
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) number.point += parseExponent(text, ++i, text);
    if (i != text.size()) badNumber(text);

    const std::size_t first = mantissa.find_first_not_of('0');
    if (first == std::string::npos) return number;  // zero: no digits
    const std::size_t last = mantissa.find_last_not_of('0');
    mantissa.resize(last + 1);
    mantissa.erase(0, first);
    number.digits = std::move(mantissa);
    number.point -= static_cast<int>(first);
    if (std::abs(number.point) > kMaxDecimalExponent) badNumber(text);
    return number;
}

// The value times 10^decimals rounded to a whole number, half away from zero, as digits
// without leading zeros ("0" for zero).
std::string roundedDigits(const Decimal& number, int decimals) {
    const int keep = number.point + decimals;
    if (number.digits.empty() || keep < 0) return "0";
    const auto kept = static_cast<std::size_t>(keep);
    std::string digits = number.digits.substr(0, kept);
    digits.resize(kept, '0');
    if (kept < number.digits.size() && number.digits[kept] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return "0";
    digits.erase(0, first);
    return digits;
}

std::string groupThousands(const std::string& whole) {
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
        grouped += whole[i];
    }
    return grouped;
}

// Room for the plain form of the smallest double: 324 decimals, with sign and point.
constexpr std::size_t kTextRoom = 400;

template <typename T>
std::string toChars(T value, auto... format) {
    std::array<char, kTextRoom> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format...);
    return std::string(buffer.data(), result.ptr);
}

// Room for the shortest exponent form of a double: 17 digits, sign, point and exponent.
constexpr std::size_t kExponentFormRoom = 32;

// Most values a listing shows hold a few decimals: 312.0507, 88.43, 2.5. Such a value is
// rounded and spelt out from whole numbers, which gives what the decimal route below
// gives for it at a fraction of the cost, and counts for the thousands of numbers of a
// listing. Nothing for any other value or for a grouping or percent mask.
constexpr int kMostWholeNumberDecimals = 6;

template <typename T>
std::optional<std::string> wholeNumberText(T value, const Mask& mask) {
    if (mask.grouping || mask.percent || mask.decimals > kMostWholeNumberDecimals) return std::nullopt;
    // Below this bound neighbouring values of the type lie closer together than a unit of
    // the last decimal place, so a whole number of those units that reads back as the
    // value is the value's own shortest decimal text.
    constexpr double kExactBound = std::is_same_v<T, float> ? 0x1p22 : 0x1p51;
    unsigned long long unit = 1;
    for (int i = 0; i < mask.decimals; ++i) unit *= 10;
    unsigned long long step = 1;  // units of the value's decimals per unit of the mask's
    for (int decimals = mask.decimals; decimals <= kMostWholeNumberDecimals; ++decimals, step *= 10) {
        const T scale = static_cast<T>(unit * step);  // exact up to 10^6
        const T scaledValue = value * scale;
        if (!(std::fabs(static_cast<double>(scaledValue)) < kExactBound)) return std::nullopt;
        const long long scaled = std::llround(scaledValue);
        if (static_cast<T>(scaled) / scale != value) continue;
        const auto exact = static_cast<unsigned long long>(scaled < 0 ? -scaled : scaled);
        const unsigned long long rounded = exact / step + ((exact % step) * 2 >= step ? 1 : 0);  // halves up

        const unsigned long long wholeUnits = rounded / unit;
        std::string whole = wholeUnits > 0 ? std::to_string(wholeUnits) : std::string();
        const auto minWholeDigits = static_cast<std::size_t>(mask.minWholeDigits);
        if (whole.size() < minWholeDigits) whole.insert(0, minWholeDigits - whole.size(), '0');
        const auto places = static_cast<std::size_t>(mask.decimals);
        std::string text;
        text.reserve(1 + mask.prefix.size() + whole.size() + 1 + places + mask.suffix.size());
        if (scaled < 0 && rounded > 0) text += '-';
        text += mask.prefix;
        text += whole;
        if (places > 0) {
            const std::string fraction = std::to_string(rounded % unit);
            text += '.';
            text.append(places - fraction.size(), '0');
            text += fraction;
        }
        text += mask.suffix;
        return text;
    }
    return std::nullopt;
}

template <typename T>
std::string formatFloating(T value, std::string_view mask) {
    if (!std::isfinite(value)) return toChars(value);  // "inf", "-inf", "nan"
    if (auto text = wholeNumberText(value, parseMask(mask))) return std::move(*text);
    // The exponent form holds only the shortest significant digits; the plain form of a
    // large whole single would spell out binary digits its text never shows. Written on
    // the stack: a listing formats three numbers for each of up to 15,000 rows.
    std::array<char, kExponentFormRoom> buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    return formatDecimalText(std::string_view(buffer.data(), result.ptr), mask);
}

}  // namespace

std::string formatDecimalText(std::string_view decimalText, std::string_view maskText) {
    const Mask mask = parseMask(maskText);
    Decimal number = parseDecimal(decimalText);
    if (mask.percent) number.point += 2;

    std::string digits = roundedDigits(number, mask.decimals);
    const bool negative = number.negative && digits != "0";
    const auto decimals = static_cast<std::size_t>(mask.decimals);
    if (digits.size() < decimals) digits.insert(0, decimals - digits.size(), '0');
    const std::string_view all(digits);
    std::string_view significant = all.substr(0, all.size() - decimals);
    if (significant == "0") significant = {};
    const auto minWholeDigits = static_cast<std::size_t>(mask.minWholeDigits);
    std::string whole(minWholeDigits > significant.size() ? minWholeDigits - significant.size() : 0, '0');
    whole += significant;
    if (mask.grouping) whole = groupThousands(whole);

    std::string text;
    text.reserve(1 + mask.prefix.size() + whole.size() + 1 + decimals + mask.suffix.size());
    if (negative) text += '-';
    text += mask.prefix;
    text += whole;
    if (decimals > 0) {
        text += '.';
        text += all.substr(all.size() - decimals);
    }
    text += mask.suffix;
    return text;
}

std::string formatNumber(double value, std::string_view mask) { return formatFloating(value, mask); }
std::string formatNumber(float value, std::string_view mask) { return formatFloating(value, mask); }

std::string shortestText(double value) {
    return toChars(value, std::fabs(value) < 1e15 ? std::chars_format::fixed : std::chars_format::scientific);
}
std::string shortestText(float value) {
    return toChars(value, std::fabs(value) < 1e7f ? std::chars_format::fixed : std::chars_format::scientific);
}

}  // namespace base
