// SPDX-License-Identifier: MIT
// Reads the comma-separated fields of a results file, quoted fields included, whatever lines they stand on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace import {

// Reads a results file as one stream of fields, whatever lines they stand on. A comma or
// a line end (CR, LF or CR LF) ends a field; blanks in front of a field are skipped. A
// field that starts with a double quote runs to the next double quote, commas included,
// and whatever follows that quote up to the field's end is dropped. Every failure throws
// ResultsFileError; asking for a field when no byte is left is one ("file ends early").
// The reader views `bytes`, which must outlive it.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::string_view nextText();
    void skipText(int count = 1);
    // Number fields: a decimal number; an empty field reads as 0. Single fields are read
    // straight to single precision, integers rounded to a 16-bit whole number. `what`
    // names the field in the player's words ("the speed figure"), for the failure's text.
    double nextDouble(std::string_view what);
    float nextSingle(std::string_view what);
    std::int16_t nextInteger16(std::string_view what);

    // The line (from 1) on which the field last asked for starts; CR, LF and CR LF each
    // end a line.
    std::size_t line() const;
    // Whether the field last asked for would have started past the last byte: after a
    // failure, that the bytes ended early rather than held a wrong field.
    bool exhausted() const { return fieldStart_ >= bytes_.size(); }

private:
    // Throws ResultsFileError naming the line of the field being read.
    [[noreturn]] void fail(const std::string& reason) const;

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::size_t fieldStart_ = 0;
};

}  // namespace import
