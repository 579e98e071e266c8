// SPDX-License-Identifier: MIT
#include "store/run_read_ahead.h"

#include "store/database.h"
#include "store/second_connection.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace store {

namespace {

constexpr std::size_t kBatchSize = 256;    // runs handed over at once: one lock per batch
constexpr std::size_t kBatchesAhead = 16;  // how far the reader may run ahead

using Batch = std::vector<RunRecord>;

Batch emptyBatch() {
    Batch batch;
    batch.reserve(kBatchSize);
    return batch;
}

}  // namespace

// The batches between the reading thread and the walking one.
class RunReadAhead::Channel {
public:
    // The next batch, waiting for it; nothing once the reader has finished and every
    // batch has been taken.
    std::optional<Batch> take() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return finished_ || !batches_.empty(); });
        if (batches_.empty()) return std::nullopt;
        Batch batch = std::move(batches_.front());
        batches_.pop_front();
        changed_.notify_all();
        return batch;
    }
    std::exception_ptr error() {
        const std::lock_guard lock(mutex_);
        return error_;
    }
    // No more runs are wanted: the reader ends at its next batch.
    void stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

    // On the reading thread.
    void read(Database& db, const RunCriteria& criteria, std::optional<double> racenumBelow) {
        Batch batch = emptyBatch();
        bool wanted = true;
        std::exception_ptr error;
        try {
            RunQuery(db, criteria).forEach(racenumBelow, [&](RunRecord&& run) {
                batch.push_back(std::move(run));
                if (batch.size() < kBatchSize) return true;
                wanted = put(std::exchange(batch, emptyBatch()));
                return wanted;
            });
        } catch (...) { error = std::current_exception(); }
        // The runs read before a failure are handed over before it.
        if (wanted && !batch.empty()) put(std::move(batch));
        finish(std::move(error));
    }

private:
    // Waits while the reader is far enough ahead. False once the walk has stopped.
    bool put(Batch&& batch) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || batches_.size() < kBatchesAhead; });
        if (stopped_) return false;
        batches_.push_back(std::move(batch));
        changed_.notify_all();
        return true;
    }
    void finish(std::exception_ptr error) {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        error_ = std::move(error);
        changed_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> batches_;
    bool finished_ = false;
    bool stopped_ = false;
    std::exception_ptr error_;
};

RunReadAhead::RunReadAhead(SecondConnection& reader, RunCriteria criteria, std::optional<double> racenumBelow)
    : channel_(std::make_shared<Channel>()),
      reading_(reader.run([channel = channel_, criteria = std::move(criteria), racenumBelow](Database& db) {
          channel->read(db, criteria, racenumBelow);
      })) {}

RunReadAhead::~RunReadAhead() {
    channel_->stop();
    reading_.wait();  // the reading hands its own failures to the walk
}

void RunReadAhead::forEach(const std::function<bool(RunRecord&&)>& visit) {
    while (auto batch = channel_->take())
        for (RunRecord& run : *batch)
            if (!visit(std::move(run))) {
                channel_->stop();
                return;
            }
    if (const auto error = channel_->error()) std::rethrow_exception(error);
}

}  // namespace store
