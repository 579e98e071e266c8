// SPDX-License-Identifier: MIT
#include "store/second_connection.h"

#include "store/database.h"

#include <utility>

namespace store {

SecondConnection::SecondConnection(std::filesystem::path path) : path_(std::move(path)) {
    std::promise<void> opened;
    auto ready = opened.get_future();
    thread_ = std::thread(&SecondConnection::serve, this, std::ref(opened));
    try {
        ready.get();
    } catch (...) {
        thread_.join();
        throw;
    }
}

SecondConnection::~SecondConnection() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void SecondConnection::post(Job job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void SecondConnection::serve(std::promise<void>& opened) {
    // Opened, used and closed on this thread alone.
    std::optional<Database> db;
    try {
        db.emplace(Database::open(path_, Access::ReadOnly));
    } catch (...) {
        opened.set_exception(std::current_exception());
        return;
    }
    opened.set_value();
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return closing_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(*db);
    }
}

}  // namespace store
