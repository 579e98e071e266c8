// SPDX-License-Identifier: MIT
// The error that ends an import on a results file that cannot be read, naming the line and the reason.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace import {

// A results file that cannot be read to its end: a field is missing or cannot be
// converted, or a race's conditions cannot be classified. The import ends on it and names
// the file to the user; what() is the reason, led by the file's line where that is known
// ("Line 57: race 310.0503: purse is no amount that fits 32 bits"), so the file can be
// mended.
class ResultsFileError : public std::runtime_error {
public:
    explicit ResultsFileError(const std::string& reason) : std::runtime_error(reason), reason_(reason) {}
    ResultsFileError(const std::string& reason, std::size_t line)
        : std::runtime_error("Line " + std::to_string(line) + ": " + reason), reason_(reason), line_(line) {}

    const std::string& reason() const { return reason_; }
    std::optional<std::size_t> line() const { return line_; }

private:
    std::string reason_;
    std::optional<std::size_t> line_;
};

}  // namespace import
