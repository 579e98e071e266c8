// SPDX-License-Identifier: MIT
#include "shell/base/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace shell {

std::optional<std::string> writeFileAtomically(const std::filesystem::path& path, std::string_view contents) {
    auto temporary = path;
    temporary += ".tmp";
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (!file) return "Cannot write " + path.string() + ": " + std::strerror(errno);
    bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    written = std::fflush(file) == 0 && written;
#ifndef _WIN32
    written = ::fsync(::fileno(file)) == 0 && written;
#endif
    const int savedErrno = errno;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        std::filesystem::remove(temporary);
        return "Cannot write " + path.string() + ": " + std::strerror(savedErrno);
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary);
        return "Cannot replace " + path.string() + ": " + error.message();
    }
    return std::nullopt;
}

}  // namespace shell
