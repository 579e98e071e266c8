// SPDX-License-Identifier: MIT
#include "import/field_reader.h"

#include "import/number_forms.h"
#include "import/results_file_error.h"

#include <cstring>

namespace import {

namespace {

bool endsField(char c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

void FieldReader::fail(const std::string& reason) const { throw ResultsFileError(reason, line()); }

std::size_t FieldReader::line() const {
    // Counted only when a failure is reported, so reading keeps no count.
    std::size_t line = 1;
    for (std::size_t at = 0; at < fieldStart_ && at < bytes_.size(); ++at) {
        if (bytes_[at] == '\n' || (bytes_[at] == '\r' && (at + 1 == bytes_.size() || bytes_[at + 1] != '\n'))) ++line;
    }
    return line;
}

std::string_view FieldReader::nextText() {
    fieldStart_ = position_;
    if (position_ >= bytes_.size()) fail("file ends early");
    const char* const begin = bytes_.data();
    const char* const end = begin + bytes_.size();
    const char* at = begin + position_;
    while (at < end && (*at == ' ' || *at == '\t')) ++at;
    std::string_view value;
    if (at < end && *at == '"') {
        const char* const start = at + 1;
        // An unclosed quote runs to the end of the file.
        const char* quote = static_cast<const char*>(std::memchr(start, '"', static_cast<std::size_t>(end - start)));
        if (quote == nullptr) quote = end;
        value = std::string_view(start, static_cast<std::size_t>(quote - start));
        at = quote == end ? end : quote + 1;
        while (at < end && !endsField(*at)) ++at;
    } else {
        const char* const start = at;
        while (at < end && !endsField(*at)) ++at;
        value = std::string_view(start, static_cast<std::size_t>(at - start));
    }
    // Step over the comma or line end that closed the field; CR LF is one line end.
    if (at < end && *at++ == '\r' && at < end && *at == '\n') ++at;
    position_ = static_cast<std::size_t>(at - begin);
    return value;
}

void FieldReader::skipText(int count) {
    for (int i = 0; i < count; ++i) nextText();
}

double FieldReader::nextDouble(std::string_view what) {
    double value = 0;
    if (!parseNumber(nextText(), value)) fail(std::string(what) + " is not a number");
    return value;
}

float FieldReader::nextSingle(std::string_view what) {
    const std::string_view text = nextText();
    float value = 0;
    if (parseNumber(text, value)) return value;
    // A number that only single precision cannot hold is one too large, not a wrong field.
    double wide = 0;
    fail(std::string(what) + (parseNumber(text, wide) ? " is too large" : " is not a number"));
}

std::int16_t FieldReader::nextInteger16(std::string_view what) {
    const double read = nextDouble(what);
    const auto value = roundToInteger16(read);
    if (!value) fail(std::string(what) + (read < 0 ? " is too small" : " is too large"));
    return *value;
}

}  // namespace import
