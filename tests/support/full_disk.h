// SPDX-License-Identifier: MIT
#pragma once

// A disk that fills up, for the engine's writes in this process: while a FullDisk lives,
// the engine's files take `room` more bytes and then every write fails as on a full disk
// (the engine's SQLITE_FULL, which a real full disk gives too). Works without privileges
// or a special file system, by a file-system layer that passes everything else on.
#include <sqlite3.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace testing_support {

class FullDisk {
public:
    explicit FullDisk(std::int64_t room) {
        state().room = room;
        state().armed = true;
        install();
    }
    ~FullDisk() { state().armed = false; }
    // The room left, below zero once a write was refused.
    std::int64_t room() const { return state().room; }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    struct State {
        std::atomic<bool> armed{false};
        std::atomic<std::int64_t> room{0};
        sqlite3_vfs* system = nullptr;
        sqlite3_vfs layer{};
        std::mutex mutex;
        // The system's method tables, each with our copy whose writes count the room.
        std::vector<std::pair<const sqlite3_io_methods*, sqlite3_io_methods*>> methods;
    };
    static State& state() {
        static State s;
        return s;
    }

    static const sqlite3_io_methods* systemMethods(sqlite3_file* file) {
        for (const auto& [system, ours] : state().methods)
            if (ours == file->pMethods) return system;
        return file->pMethods;
    }

    static int write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
        State& s = state();
        if (s.armed && s.room.fetch_sub(amount) < amount) return SQLITE_FULL;
        return systemMethods(file)->xWrite(file, data, amount, offset);
    }

    // The system's file, its method table swapped for our copy (the system's methods read
    // nothing through it, so they work on the file unchanged).
    static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        State& s = state();
        const int rc = s.system->xOpen(s.system, name, file, flags, outFlags);
        if (rc != SQLITE_OK || !file->pMethods) return rc;
        const std::lock_guard lock(s.mutex);
        for (const auto& [system, ours] : s.methods)
            if (system == file->pMethods) {
                file->pMethods = ours;
                return rc;
            }
        auto* ours = new sqlite3_io_methods(*file->pMethods);  // lives as long as the process
        ours->xWrite = write;
        s.methods.emplace_back(file->pMethods, ours);
        file->pMethods = ours;
        return rc;
    }

    static void install() {
        State& s = state();
        if (s.system) return;
        s.system = sqlite3_vfs_find(nullptr);
        s.layer = *s.system;
        s.layer.zName = "harrowdex-full-disk";
        s.layer.xOpen = open;
        sqlite3_vfs_register(&s.layer, 1);
    }
};

}  // namespace testing_support
