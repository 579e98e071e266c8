// SPDX-License-Identifier: MIT
// The text of a chosen results file, read plainly or from inside a ZIP archive.
#pragma once

#include <stdexcept>
#include <cstddef>
#include <string>

namespace import {

// A results file that cannot be read; the text says why, without naming the file, which
// the import's failure text names already.
class UnreadableFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file itself cannot be opened or read now (no permission, a disk fault). Unlike a
// file that holds no results, it may be mended, and is then read as any other.
class FileAccessError : public UnreadableFile {
public:
    using UnreadableFile::UnreadableFile;
};

// Room for the heading and the first race's first record of any results file.
inline constexpr std::size_t kResultsHeadingBytes = 16 * 1024;

// The text of a chosen results file. A ZIP archive is read from the results text inside
// it: its first file in the layout of a results file, text files (.txt) looked at first.
// An archive without one throws UnreadableFile, naming what it holds. Every other file is
// read as it stands. A file that cannot be opened or read throws FileAccessError.
std::string readResultsFile(const std::string& path);

// The first `count` bytes of the results text that readResultsFile would give (all of it
// when it is shorter), for a look at a file's heading without reading it whole.
std::string readResultsFileStart(const std::string& path, std::size_t count);

}  // namespace import
