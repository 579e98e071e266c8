// SPDX-License-Identifier: MIT
#include "base/utf8_text.h"

#include <algorithm>

namespace base {

namespace {

// Length of the well-formed sequence starting at `at`, or 0 (overlong forms, surrogates
// and values above U+10FFFF are not well-formed).
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    return length;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Byte offset of character `index` (the text's size when it has no more characters).
std::size_t byteOffsetOf(std::string_view text, std::size_t index) {
    if (isAscii(text) || !isValidUtf8(text)) return std::min(index, text.size());
    std::size_t at = 0;
    for (; index > 0 && at < text.size(); --index) at += sequenceLength(text, at);
    return at;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string utf8Text(std::string_view text) {
    if (isValidUtf8(text)) return std::string(text);
    std::string converted;
    converted.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            converted += c;
        } else {
            converted += static_cast<char>(0xC0 | (byte >> 6));
            converted += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return converted;
}

std::size_t characterCount(std::string_view text) {
    if (!isValidUtf8(text)) return text.size();
    // Every byte but a continuation byte starts a character.
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string_view firstCharacters(std::string_view text, std::size_t count) {
    return text.substr(0, byteOffsetOf(text, count));
}

std::string_view withoutFirstCharacters(std::string_view text, std::size_t count) {
    return text.substr(byteOffsetOf(text, count));
}

std::string_view withoutLastCharacters(std::string_view text, std::size_t count) {
    const std::size_t characters = characterCount(text);
    return characters <= count ? std::string_view() : firstCharacters(text, characters - count);
}

std::string_view leadingCharacter(std::string_view text) {
    if (text.empty()) return text;
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t bytes = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t length = 1;
    while (length < bytes && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return text.substr(0, length);
}

}  // namespace base
