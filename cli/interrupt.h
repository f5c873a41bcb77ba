#pragma once

#include <atomic>
#include <stop_token>
#include <thread>

namespace vortane::cli {

// While it lives, an interrupt (SIGINT, Ctrl+C) requests a stop of `stop`
// instead of ending the process, so that a sweep can finish the points under
// way and leave only whole rows. The signal is blocked in the calling thread
// and in the threads it starts afterwards, and taken by a watcher thread (on
// Windows, a handler notes it and the watcher passes it on). The watcher
// leaves as soon as the object ends: ending costs no wait. Without a source,
// it stops one of its own.
class StopOnInterrupt {
public:
    explicit StopOnInterrupt(std::stop_source stop = {});
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

    bool Interrupted() const;
    // Set once interrupted, for a search, which reads a flag between runs.
    const std::atomic<bool>* Flag() const { return &flag_; }

private:
    void Interrupt() {
        flag_ = true;
        stop_.request_stop();
    }

    std::atomic<bool> flag_ = false;
    std::stop_source stop_;
    std::jthread watcher_;
};

}  // namespace vortane::cli
