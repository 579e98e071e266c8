// SPDX-License-Identifier: MIT
#include "base/regular_file.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

namespace {

FileProblem openProblem(int error) {
    return error == ENOENT || error == ENOTDIR ? FileProblem::Missing
           : error == EISDIR                   ? FileProblem::NotRegular
                                               : FileProblem::Unreadable;
}

FileProblem statusProblem(const struct stat& status) {
    return S_ISREG(status.st_mode)   ? FileProblem::None
           : S_ISLNK(status.st_mode) ? FileProblem::Link
                                     : FileProblem::NotRegular;
}

}  // namespace

int openRegularFile(const std::filesystem::path& path, FileProblem& problem) {
    // Non-blocking, so that opening a FIFO returns at once; the file is checked through
    // the open descriptor, so it cannot be swapped between the check and the reading.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        problem = openProblem(errno);
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || statusProblem(status) != FileProblem::None) {
        ::close(fd);
        problem = FileProblem::NotRegular;
        return -1;
    }
    // Reads wait for the disk again, as on any regular file.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    problem = FileProblem::None;
    return fd;
}

FileLook lookAtFile(const std::filesystem::path& path) {
    // A path descriptor opens nothing: no FIFO's open to wait on, and none of the locks
    // that closing a readable descriptor would release. With O_NOFOLLOW it is the link.
    const int fd = ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return {openProblem(errno), errno};
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    const int error = errno;
    ::close(fd);
    if (!known) return {FileProblem::Unreadable, error};
    return {statusProblem(status), 0};
}

namespace {

FileContents readOpenFile(int fd, std::uintmax_t limit) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return {FileProblem::Unreadable, {}};
    if (static_cast<std::uintmax_t>(status.st_size) > limit) return {FileProblem::TooLarge, {}};
    // The file may grow while it is read; one byte past the limit tells.
    std::string bytes(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > limit) return {FileProblem::TooLarge, {}};
            bytes.resize(std::min<std::uintmax_t>(bytes.size() * 2, limit + 1));
        }
        const ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return {FileProblem::Unreadable, {}};
        if (count == 0) break;
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return {FileProblem::None, std::move(bytes)};
}

}  // namespace

FileContents readRegularFile(const std::filesystem::path& path, std::uintmax_t limit) {
    FileContents contents;
    const int fd = openRegularFile(path, contents.problem);
    if (fd < 0) return contents;
    contents = readOpenFile(fd, limit);
    ::close(fd);
    return contents;
}

std::string describe(FileProblem problem) {
    switch (problem) {
    case FileProblem::None:
        return "was read";
    case FileProblem::Missing:
        return "does not exist";
    case FileProblem::NotRegular:
        return "is not a regular file (a folder, device or pipe cannot be read)";
    case FileProblem::Link:
        return "is a link, which is not followed";
    case FileProblem::TooLarge:
        return "is too large";
    case FileProblem::Unreadable:
        break;
    }
    return "cannot be read";
}

}  // namespace base
