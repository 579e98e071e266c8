// SPDX-License-Identifier: MIT
#include "store/kept_connections.h"

#include <sys/stat.h>

namespace store {

std::optional<KeptConnections::FileStamp> KeptConnections::stampOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileStamp{static_cast<std::uintmax_t>(status.st_dev), static_cast<std::uintmax_t>(status.st_ino),
                     static_cast<std::uintmax_t>(status.st_size), static_cast<std::int64_t>(status.st_mtim.tv_sec),
                     static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

ReadingConnections& KeptConnections::to(const std::filesystem::path& path) {
    // SQLite writes in WAL mode leave the file's stamp as it is until a checkpoint, and
    // the connections see those writes themselves; any other change opens them anew.
    const auto stamp = stampOf(path);
    if (kept_ && stamp && path == path_ && *stamp == stamp_) return *kept_;
    kept_.reset();                                       // closed before the new ones open
    kept_ = std::make_unique<ReadingConnections>(path);  // reports a missing file
    path_ = path;
    // The stamp taken before opening, so that a change made meanwhile opens them again.
    stamp_ = stamp.value_or(FileStamp{});
    return *kept_;
}

}  // namespace store
