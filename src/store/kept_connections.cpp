// SPDX-License-Identifier: MIT
#include "store/kept_connections.h"

#include "store/schema.h"
#include "store/store_error.h"

#include <sys/stat.h>

namespace store {

KeptConnections::InUse::InUse(KeptConnections& kept, ReadingConnections& connections)
    : kept_(kept), connections_(connections) {
    ++kept_.users_;
}

KeptConnections::InUse::~InUse() {
    --kept_.users_;
    kept_.lastUse_ = Clock::now();
}

std::optional<KeptConnections::FileStamp> KeptConnections::stampOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileStamp{
        static_cast<std::uintmax_t>(status.st_dev),        static_cast<std::uintmax_t>(status.st_ino),
        static_cast<std::uintmax_t>(status.st_size),       static_cast<std::int64_t>(status.st_mtim.tv_sec),
        static_cast<std::int64_t>(status.st_mtim.tv_nsec), static_cast<std::int64_t>(status.st_ctim.tv_sec),
        static_cast<std::int64_t>(status.st_ctim.tv_nsec)};
}

KeptConnections::InUse KeptConnections::to(const std::filesystem::path& path) {
    // SQLite writes in WAL mode leave the file's stamp as it is until a checkpoint, and
    // the connections see those writes themselves; any other change opens them anew (the
    // change time too, as a tool may write over the file and set its time back). While a
    // command reads through them, they stay as they are.
    const auto stamp = stampOf(path);
    if (kept_ && (users_ > 0 || (stamp && path == path_ && *stamp == stamp_))) return {*this, *kept_};
    kept_.reset();                                       // closed before the new ones open
    kept_ = std::make_unique<ReadingConnections>(path);  // reports a missing file
    path_ = path;
    // The stamp taken before opening, so that a change made meanwhile opens them again.
    stamp_ = stamp.value_or(FileStamp{});
    return {*this, *kept_};
}

void KeptConnections::close() {
    if (!kept_ || users_ > 0) return;
    kept_.reset();
    tidyLog();
}

void KeptConnections::closeIfIdle(Clock::time_point now) {
    if (now - lastUse_ >= kIdleTime) close();
}

void KeptConnections::tidyLog() const {
    // Only the file these connections read, which the log beside it belongs to, and only
    // a race store that can be written now; a writer of another program still at work
    // keeps the log itself, as this connection's close is then not the last.
    std::error_code error;
    if (!std::filesystem::exists(path_.string() + "-wal", error)) return;
    const auto stamp = stampOf(path_);
    if (!stamp || stamp->device != stamp_.device || stamp->inode != stamp_.inode) return;
    try {
        // A read-write connection that closes last writes the log into the store and
        // removes it; one that waits for a lock would hold up the window.
        openRaceStoreForWriting(path_, {.busyTimeout = std::chrono::milliseconds(100)});
    } catch (const std::exception&) {
        // Left to the next writer's close.
    }
}

}  // namespace store
