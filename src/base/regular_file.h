// SPDX-License-Identifier: MIT
// Opening the program's small side files safely: regular files of a bounded size only, never waited on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace base {

// Why a file was not read.
enum class FileProblem { None, Missing, NotRegular, Link, TooLarge, Unreadable };

// The most a side file of the program (settings, saved names, server file) may hold;
// any of them is a few hundred bytes, and a larger one is not one this program wrote.
inline constexpr std::uintmax_t kSideFileLimit = 64 * 1024;

// Opens `path` for reading when it is a regular file, a link followed to one. A folder,
// FIFO, device or socket is refused at once: opening never waits for a writer. Returns
// the open descriptor, or -1 with `problem` set.
int openRegularFile(const std::filesystem::path& path, FileProblem& problem);

struct FileLook {
    FileProblem problem = FileProblem::None;
    int error = 0;  // errno, when Unreadable
};

// Whether `path` is a regular file itself (a link is Link, not followed), told without
// opening it for reading: a FIFO is never waited on, and no descriptor on the file is
// closed afterwards, which would release the POSIX locks that this process's database
// connections hold on it.
FileLook lookAtFile(const std::filesystem::path& path);

struct FileContents {
    FileProblem problem = FileProblem::None;
    std::string bytes;  // empty unless read
};

// The whole of the regular file at `path` when it holds at most `limit` bytes.
FileContents readRegularFile(const std::filesystem::path& path, std::uintmax_t limit);

// The words after a file's name that say why it was not read: "is not a regular file".
std::string describe(FileProblem problem);

}  // namespace base
