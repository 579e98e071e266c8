// SPDX-License-Identifier: MIT
// A search's runs read ahead on a second thread, so that a long listing takes little longer than its read.
#pragma once

#include "store/run_query.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace store {

// The runs of `criteria`, as RunQuery::forEach walks them (the same order and bound),
// read on a connection of their own on a second thread from construction on, a few
// batches ahead of the walk. A long listing then takes about as long as its read alone:
// its own work is done while the store is read, and so is whatever the caller does
// between starting the read and walking it (counting, asking the user).
class RunReadAhead {
public:
    RunReadAhead(const std::filesystem::path& store, RunCriteria criteria, std::optional<double> racenumBelow);
    // Stops the reading and waits for its thread.
    ~RunReadAhead();
    RunReadAhead(const RunReadAhead&) = delete;
    RunReadAhead& operator=(const RunReadAhead&) = delete;

    // Hands each run over to `visit` on the calling thread until it answers false; once
    // only. A store error is thrown after every run read before it has been visited, as
    // the walk on one thread throws it, and not when `visit` stopped first.
    void forEach(const std::function<bool(RunRecord&&)>& visit);

private:
    class Channel;
    std::unique_ptr<Channel> channel_;
};

}  // namespace store
