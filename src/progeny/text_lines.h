// SPDX-License-Identifier: MIT
// A text read line by line from a source that is read piece by piece, whatever line breaks it uses.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace progeny {

// Where a text comes from when it is read piece by piece.
class TextSource {
public:
    virtual ~TextSource() = default;
    // Copies up to `size` further bytes to `into` and returns how many; 0 at the end.
    // Throws std::runtime_error, worded for the user, when the text cannot be read.
    virtual std::size_t read(char* into, std::size_t size) = 0;
};

// The lines of a text, with CRLF, LF and a lone CR all ending a line; a line break at
// the very end starts no further line, and a byte-order mark at the start is no part of
// the first line. Each byte is looked at once or twice, whichever breaks the text uses,
// so a large file reads in time proportional to its size.
class TextLines {
public:
    // All of the text at once; it must outlive the lines.
    explicit TextLines(std::string_view text);
    // The text of `source`, read in pieces into a buffer of its own.
    explicit TextLines(TextSource& source);

    // The next line without its line break, valid until the next call; nothing at the end.
    std::optional<std::string_view> next();
    // True when no line is left; may read the next piece to tell.
    bool atEnd();
    // The number of the line that `next` returned last, counted from 1.
    int number() const { return number_; }

private:
    bool readMore();
    void dropByteOrderMark();
    std::size_t findBreak();
    void consumeLine(std::size_t end);

    TextSource* source_ = nullptr;
    bool sourceEnded_ = true;
    std::string buffer_;
    std::string_view text_;  // the bytes at hand: the whole text, or the filled part of the buffer
    std::size_t position_ = 0;
    std::size_t scanned_ = 0;  // no line break stands between the position and here
    int number_ = 0;
};

}  // namespace progeny
