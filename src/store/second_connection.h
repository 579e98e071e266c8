// SPDX-License-Identifier: MIT
// A read-only connection to a race store on a thread of its own, for reads done beside the caller's.
#pragma once

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <type_traits>
#include <thread>

namespace store {

class Database;

// A read-only connection to the store at `path`, opened on a thread of its own and kept,
// with that thread, for the jobs handed to it one after another: a read that runs beside
// the caller's own then costs no connection, no reading of the schema and no thread of
// its own each time. The jobs run one at a time, in the order given; each ends the reads
// it began, so that between jobs the connection holds no lock and other programs write
// as if it were closed.
class SecondConnection {
public:
    // Throws a StoreError when the store cannot be opened.
    explicit SecondConnection(std::filesystem::path path);
    // Waits for the jobs given, then closes the connection.
    ~SecondConnection();
    SecondConnection(const SecondConnection&) = delete;
    SecondConnection& operator=(const SecondConnection&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Runs `job` on the connection's thread; the future holds what it returned or threw.
    template <class Job>
    auto run(Job job) -> std::future<std::invoke_result_t<Job&, Database&>> {
        using Result = std::invoke_result_t<Job&, Database&>;
        auto promise = std::make_shared<std::promise<Result>>();
        auto result = promise->get_future();
        post([promise, job = std::move(job)](Database& db) mutable {
            try {
                if constexpr (std::is_void_v<Result>) {
                    job(db);
                    promise->set_value();
                } else {
                    promise->set_value(job(db));
                }
            } catch (...) { promise->set_exception(std::current_exception()); }
        });
        return result;
    }

private:
    using Job = std::function<void(Database&)>;
    void post(Job job);
    void serve(std::promise<void>& opened);

    std::filesystem::path path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool closing_ = false;
    std::thread thread_;  // opens, serves and closes the connection
};

}  // namespace store
