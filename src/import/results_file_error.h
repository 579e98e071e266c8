// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace import {

// A results file that cannot be read to its end: a field is missing or cannot be
// converted, or a race's conditions cannot be classified. The import ends on it and names
// the file to the user; what() is a short technical reason for logs and the command line.
class ResultsFileError : public std::runtime_error {
public:
    explicit ResultsFileError(const std::string& reason) : std::runtime_error(reason) {}
    ResultsFileError(const std::string& reason, std::size_t byteOffset)
        : std::runtime_error(reason + " (at byte " + std::to_string(byteOffset) + ")") {}
};

}  // namespace import
