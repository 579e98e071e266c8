// SPDX-License-Identifier: MIT
// harrowdex-page-server: serves saved horse pages (NUMBER.html in one folder) at the path
// of the lineage lookup, on 127.0.0.1 only, so that "Get Lineage Info." works over real
// HTTP without the simulation's server. It takes a free port and writes its address, as
// the server file of the program's folder wants it, into the address file.
#include "lineage/lineage_request.h"
#include "base/atomic_file.h"
#include "base/regular_file.h"

#include <CLI/CLI.hpp>
#include <httplib.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Options {
    std::filesystem::path pages;
    std::filesystem::path addressFile;
};

// The largest page served; a horse's page is some 10 KB.
constexpr std::uintmax_t kLargestPage = 16 * 1024 * 1024;
// How long a connection may wait for the client between its bytes, and how long an idle
// kept-alive connection stays; a client that sends nothing gives its worker back soon.
constexpr time_t kTimeoutSeconds = 2;
constexpr time_t kKeepAliveSeconds = 1;
constexpr std::size_t kKeepAliveRequests = 20;
// Workers that answer at the same time: enough that a few dozen idle or slow connections
// leave room for the lookups; more connections wait to be accepted.
constexpr std::size_t kWorkers = 48;
constexpr std::size_t kWaitingConnections = 64;

// A fixed number of workers and a bounded queue of accepted connections: when it is full,
// accepting waits, so a flood of connections costs neither threads nor memory without end.
class BoundedWorkers : public httplib::TaskQueue {
public:
    BoundedWorkers() {
        for (std::size_t i = 0; i < kWorkers; ++i) threads_.emplace_back([this] { work(); });
    }
    void enqueue(std::function<void()> job) override {
        std::unique_lock lock(mutex_);
        roomLeft_.wait(lock, [this] { return jobs_.size() < kWaitingConnections || stopping_; });
        jobs_.push_back(std::move(job));
        jobWaiting_.notify_one();
    }
    void shutdown() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        jobWaiting_.notify_all();
        roomLeft_.notify_all();
        for (auto& thread : threads_) thread.join();
    }

private:
    void work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex_);
                jobWaiting_.wait(lock, [this] { return !jobs_.empty() || stopping_; });
                if (jobs_.empty()) return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
                roomLeft_.notify_one();
            }
            job();
        }
    }

    std::vector<std::thread> threads_;
    std::deque<std::function<void()>> jobs_;
    std::mutex mutex_;
    std::condition_variable jobWaiting_;
    std::condition_variable roomLeft_;
    bool stopping_ = false;
};

// The saved page of a horse number; none for anything but plain digits, and none unless
// the page is a regular file that really lies in the folder (a link may point only to
// another file in it) of at most kLargestPage bytes. A FIFO or device is never waited on
// or read.
std::optional<std::string> savedPage(const std::filesystem::path& pages, const std::string& number) {
    if (number.empty() || number.size() > 9 ||
        !std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::error_code error;
    const auto folder = std::filesystem::canonical(pages, error);
    if (error) return std::nullopt;
    const auto page = std::filesystem::canonical(folder / (number + ".html"), error);
    if (error || page.parent_path() != folder) return std::nullopt;
    auto contents = base::readRegularFile(page, kLargestPage);
    if (contents.problem != base::FileProblem::None) return std::nullopt;
    return std::move(contents.bytes);
}

int serve(const Options& options) {
    httplib::Server server;
    server.new_task_queue = [] { return new BoundedWorkers; };
    server.set_read_timeout(kTimeoutSeconds, 0);
    server.set_write_timeout(kTimeoutSeconds, 0);
    server.set_keep_alive_timeout(kKeepAliveSeconds);
    server.set_keep_alive_max_count(kKeepAliveRequests);
    // The lookup's path ends in "?hossnum=" and the horse number.
    const std::string path(lineage::kHorsePagePath.substr(0, lineage::kHorsePagePath.find('?')));
    server.Get(path, [&options](const httplib::Request& request, httplib::Response& response) {
        const auto page = savedPage(options.pages, request.get_param_value("hossnum"));
        if (!page) {
            response.status = 404;
            return;
        }
        response.set_content(*page, "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    if (port <= 0) {
        std::cerr << "No port on 127.0.0.1 could be taken for the page server\n";
        return 1;
    }
    const std::string address = "http://127.0.0.1:" + std::to_string(port);
    if (const auto failure = base::writeFileAtomically(options.addressFile, address + "\n")) {
        std::cerr << *failure << '\n';
        return 1;
    }
    std::cout << "Serving the horse pages of " << options.pages.string() << " at " << address << std::endl;
    return server.listen_after_bind() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Serves saved horse pages to the lineage lookup, on 127.0.0.1 only.", "harrowdex-page-server");
    Options options;
    app.add_option("--pages", options.pages, "Folder of the pages, NUMBER.html")
        ->required()
        ->check(CLI::ExistingDirectory);
    app.add_option("--address-file", options.addressFile, "File to write the server's address into")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);  // --help
        std::cerr << app.get_name() << ": " << e.what() << '\n' << CLI::Formatter().make_usage(&app, app.get_name());
        return 2;
    }
    return serve(options);
}
