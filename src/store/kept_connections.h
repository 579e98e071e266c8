// SPDX-License-Identifier: MIT
// The read-only connections a window searches its race store through, kept from one search to the next.
#pragma once

#include "store/database.h"
#include "store/second_connection.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace store {

// The two connections a search reads through: one on the searching thread and one beside
// it, for reading ahead.
struct ReadingConnections {
    explicit ReadingConnections(const std::filesystem::path& path)
        : here(Database::open(path, Access::ReadOnly)), beside(path) {}
    Database here;
    SecondConnection beside;
};

// The reading connections of one store, kept while the file is the one they opened and
// nothing but SQLite changed it: a file made again or moved in under the same name, or
// written over by another tool, gets new ones, so that nothing read before is taken for
// the new file's content. They are closed once idle: a store's log outlives every writer
// that closes while another connection is open, and a store later put in its place would
// be read with the old one's pages. Used by one thread, like the `here` connection.
class KeptConnections {
public:
    using Clock = std::chrono::steady_clock;
    // How long the connections stay open after their last use: a search that follows
    // another one soon costs no opening.
    static constexpr Clock::duration kIdleTime = std::chrono::seconds(3);

    // The connections while one command reads through them; they stay open as long as
    // it is alive, whoever asks to close them.
    class InUse {
    public:
        InUse(KeptConnections& kept, ReadingConnections& connections);
        ~InUse();
        InUse(const InUse&) = delete;
        InUse& operator=(const InUse&) = delete;
        ReadingConnections& operator*() const { return connections_; }
        ReadingConnections* operator->() const { return &connections_; }

    private:
        KeptConnections& kept_;
        ReadingConnections& connections_;
    };

    KeptConnections() = default;
    ~KeptConnections() { close(); }
    KeptConnections(const KeptConnections&) = delete;
    KeptConnections& operator=(const KeptConnections&) = delete;

    // The connections to the store at `path`, kept or opened now; throws a StoreError as
    // Database::open does.
    InUse to(const std::filesystem::path& path);
    // Closes the connections now unless in use, and writes into the store a log that a
    // writer left while they were open (a read-only connection closing last leaves it).
    void close();
    // The same once they have not been used since `now - kIdleTime`.
    void closeIfIdle(Clock::time_point now);
    bool open() const { return kept_ != nullptr; }

private:
    // What tells one file and its content apart from another without reading it.
    struct FileStamp {
        std::uintmax_t device = 0, inode = 0, size = 0;
        std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
        std::int64_t changedSeconds = 0, changedNanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> stampOf(const std::filesystem::path& path);
    void tidyLog() const;

    std::unique_ptr<ReadingConnections> kept_;
    std::filesystem::path path_;
    FileStamp stamp_;
    int users_ = 0;
    Clock::time_point lastUse_{};
};

}  // namespace store
