#include "study/sweep_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vortane {

PointResult RunPoint(const SweepPlan& plan, std::size_t index) {
    return {index, RunCalculation(PointRequest(plan, index))};
}

PointResult SweepCursor::Next() {
    if (Done()) throw std::logic_error("the sweep has no point after its last");
    return RunPoint(plan_, next_++);
}

namespace {

// A run of consecutive points, computed by one worker.
struct Chunk {
    std::vector<PointResult> results;
    std::vector<std::string> texts;  // each result's, when the sweep formats them
    std::exception_ptr error;
    std::size_t filled = 0;  // index + 1 of the chunk it holds
};

constexpr std::chrono::milliseconds WaitingInterval{50};

unsigned ThreadCount(unsigned asked) {
    return asked != 0 ? asked : std::max(std::thread::hardware_concurrency(), 1u);
}

// Workers compute chunks of points at most `window` chunks ahead of the
// consumer, which takes them in order. A stop leaves every wait at once; a
// worker finishes the point it is computing and starts no other.
class SweepPipeline {
public:
    SweepPipeline(const SweepPlan& plan, unsigned threads, const PointFormat& format)
        : plan_(plan),
          format_(format),
          threads_(threads),
          count_(PointCount(plan)),
          chunkSize_(std::clamp<std::size_t>(count_ / (std::size_t{8} * threads_), 1, 64)),
          chunkCount_((count_ + chunkSize_ - 1) / chunkSize_),
          window_(std::size_t{4} * threads_),
          chunks_(window_) {}

    SweepEnd Run(const SweepControl& control,
                 const std::function<void(const PointResult&, const std::string&)>& consume) {
        const std::stop_callback relay(control.stop, [this] { Stop(); });
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < threads_; ++t) workers.emplace_back([this] { Work(); });
        try {
            std::size_t done = 0;
            for (std::size_t k = 0; k < chunkCount_; ++k) {
                Chunk& chunk = chunks_[k % window_];
                {
                    std::unique_lock lock(mutex_);
                    const auto ready = [&] { return stopped_ || chunk.filled == k + 1; };
                    while (!chunkDone_.wait_for(lock, WaitingInterval, ready)) {
                        if (!control.waiting) continue;
                        lock.unlock();
                        control.waiting();
                        lock.lock();
                    }
                }
                if (stopped_) return SweepEnd::Stopped;
                if (chunk.error) std::rethrow_exception(chunk.error);
                for (std::size_t i = 0; i < chunk.results.size(); ++i) {
                    if (stopped_) return SweepEnd::Stopped;
                    consume(chunk.results[i], format_ ? chunk.texts[i] : NoText);
                    if (control.progress) control.progress(++done, count_);
                }
                {
                    const std::lock_guard lock(mutex_);
                    consumed_ = k + 1;
                }
                slotFree_.notify_all();
            }
        } catch (...) {
            Stop();
            throw;
        }
        return SweepEnd::Complete;
    }

    // Releases every wait; no worker starts another point.
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        slotFree_.notify_all();
        chunkDone_.notify_all();
    }

private:
    void Work() {
        for (;;) {
            std::size_t k;
            {
                std::unique_lock lock(mutex_);
                if (stopped_ || next_ >= chunkCount_) return;
                k = next_++;
                slotFree_.wait(lock, [&] { return stopped_ || k < consumed_ + window_; });
                if (stopped_) return;
            }
            Chunk& chunk = chunks_[k % window_];
            chunk.results.clear();
            chunk.texts.clear();
            try {
                const std::size_t end = std::min(count_, (k + 1) * chunkSize_);
                for (std::size_t i = k * chunkSize_; i < end && !stopped_; ++i) {
                    chunk.results.push_back(RunPoint(plan_, i));
                    if (format_) chunk.texts.push_back(format_(chunk.results.back()));
                }
            } catch (...) {
                chunk.error = std::current_exception();
            }
            {
                const std::lock_guard lock(mutex_);
                chunk.filled = k + 1;
            }
            chunkDone_.notify_all();
        }
    }

    static inline const std::string NoText;

    const SweepPlan& plan_;
    const PointFormat& format_;
    const unsigned threads_;
    const std::size_t count_;
    const std::size_t chunkSize_;
    const std::size_t chunkCount_;
    const std::size_t window_;
    std::vector<Chunk> chunks_;
    std::mutex mutex_;
    std::condition_variable chunkDone_, slotFree_;
    std::size_t next_ = 0, consumed_ = 0;  // chunks handed out, chunks consumed
    std::atomic<bool> stopped_ = false;
};

// The points one by one on the calling thread, the stop looked for between
// them: the same points, texts and calls as the pipeline makes.
SweepEnd RunInSequence(const SweepPlan& plan, const SweepControl& control, const PointFormat& format,
                       const std::function<void(const PointResult&, const std::string&)>& consume) {
    static const std::string noText;
    SweepCursor cursor(plan);
    while (!cursor.Done()) {
        if (control.stop.stop_requested()) return SweepEnd::Stopped;
        const PointResult point = cursor.Next();
        consume(point, format ? format(point) : noText);
        if (control.progress) control.progress(cursor.Position(), cursor.Total());
        if (control.waiting) control.waiting();
    }
    return SweepEnd::Complete;
}

}  // namespace

SweepEnd RunSweep(const SweepPlan& plan, const SweepControl& control,
                  const std::function<void(const PointResult&)>& consume) {
    return RunSweep(plan, control, nullptr,
                    [&](const PointResult& point, const std::string&) { consume(point); });
}

SweepEnd RunSweep(const SweepPlan& plan, const SweepControl& control, const PointFormat& format,
                  const std::function<void(const PointResult&, const std::string&)>& consume) {
    const unsigned threads = ThreadCount(control.threads);
    if (threads == 1) return RunInSequence(plan, control, format, consume);
    return SweepPipeline(plan, threads, format).Run(control, consume);
}

}  // namespace vortane
