// SPDX-License-Identifier: MIT
#include "base/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace base {

namespace {

std::string failure(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t count = ::write(fd, contents.data(), contents.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        contents.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

}  // namespace

NewFile createNewFile(const std::filesystem::path& beside) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        auto path = beside;
        path += "." + std::to_string(random()) + ".tmp";
        // Exclusive: never an existing file, nor whatever a link planted there points to.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return {fd, path, 0};
        if (errno != EEXIST) return {-1, path, errno};
    }
    return {-1, beside, EEXIST};
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& path, std::string_view contents) {
    const NewFile temporary = createNewFile(path);
    if (temporary.fd < 0) return failure("Cannot write", path, temporary.error);
    bool written = writeAll(temporary.fd, contents) && ::fsync(temporary.fd) == 0;
    int error = written ? 0 : errno;
    if (::close(temporary.fd) != 0 && written) {
        written = false;
        error = errno;
    }
    std::error_code ignored;
    if (!written) {
        std::filesystem::remove(temporary.path, ignored);
        return failure("Cannot write", path, error ? error : EIO);
    }
    // A rename replaces a link at `path` itself, never the file it points to.
    if (::rename(temporary.path.c_str(), path.c_str()) != 0) {
        error = errno;
        std::filesystem::remove(temporary.path, ignored);
        return failure("Cannot replace", path, error);
    }
    return std::nullopt;
}

}  // namespace base
