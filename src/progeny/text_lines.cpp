// SPDX-License-Identifier: MIT
#include "progeny/text_lines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace progeny {

namespace {

// Large enough that reading costs few calls, small enough to stay in the processor's cache.
constexpr std::size_t kPieceSize = 256 * 1024;

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighs = 0x8080808080808080;

// The high bit of each byte of `word` that is zero. A byte above a zero byte may be
// marked too, but the lowest mark is always right.
constexpr std::uint64_t zeroBytes(std::uint64_t word) { return (word - kOnes) & ~word & kHighs; }

// Marks the LF and CR bytes of eight bytes read in memory order; the lowest mark (the
// first of them in the text) is exact.
constexpr std::uint64_t breakBytes(std::uint64_t word) {
    return zeroBytes(word ^ (kOnes * '\n')) | zeroBytes(word ^ (kOnes * '\r'));
}

}  // namespace

TextLines::TextLines(std::string_view text) : text_(text) { dropByteOrderMark(); }

TextLines::TextLines(TextSource& source) : source_(&source), sourceEnded_(false) {
    // Enough bytes at hand to tell a byte-order mark, however small the first pieces are.
    while (text_.size() < 3 && readMore()) continue;
    dropByteOrderMark();
}

void TextLines::dropByteOrderMark() {
    if (text_.starts_with("\xEF\xBB\xBF")) position_ = 3;
}

// Looks at eight bytes at a time for either break; the bytes at hand are scanned once,
// whichever breaks the text uses.
std::size_t TextLines::findBreak() {
    const char* const begin = text_.data();
    const char* at = begin + std::max(position_, scanned_);
    const char* const end = begin + text_.size();
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - at >= 8; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, at, 8);
            if (const std::uint64_t found = breakBytes(word)) {
                at += std::countr_zero(found) / 8;
                return scanned_ = static_cast<std::size_t>(at - begin);
            }
        }
    }
    while (at != end && *at != '\n' && *at != '\r') ++at;
    return scanned_ = static_cast<std::size_t>(at - begin);
}

// Keeps the unread bytes, moved to the front of the buffer, and adds the next piece of
// the source after them. False when the source has nothing more.
bool TextLines::readMore() {
    if (sourceEnded_) return false;
    const std::size_t kept = text_.size() - position_;
    if (buffer_.empty()) buffer_.resize(kPieceSize);
    if (kept > 0 && position_ > 0) std::memmove(buffer_.data(), text_.data() + position_, kept);
    if (buffer_.size() - kept < kPieceSize / 2) buffer_.resize(buffer_.size() * 2);  // a very long line
    const std::size_t added = source_->read(buffer_.data() + kept, buffer_.size() - kept);
    sourceEnded_ = added == 0;
    text_ = std::string_view(buffer_.data(), kept + added);
    scanned_ = scanned_ > position_ ? scanned_ - position_ : 0;
    position_ = 0;
    return added > 0;
}

void TextLines::consumeLine(std::size_t end) {
    std::size_t next = end + 1;
    if (text_[end] == '\r' && next < text_.size() && text_[next] == '\n') ++next;
    position_ = next;
    ++number_;
}

std::optional<std::string_view> TextLines::next() {
    for (;;) {
        const std::size_t end = findBreak();
        const bool found = end < text_.size();
        // A CR as the last byte at hand may be the first half of a CRLF.
        const bool complete = found && (end + 1 < text_.size() || text_[end] == '\n' || sourceEnded_);
        if (complete) {
            const std::string_view line = text_.substr(position_, end - position_);
            consumeLine(end);
            return line;
        }
        if (readMore()) continue;
        if (found) continue;  // the CR at the end stands alone
        if (position_ == text_.size()) return std::nullopt;
        const std::string_view last = text_.substr(position_);
        position_ = text_.size();
        ++number_;
        return last;
    }
}

bool TextLines::atEnd() {
    return position_ == text_.size() && !readMore();
}

}  // namespace progeny
