#pragma once

#include <atomic>
#include <stop_token>
#include <thread>

namespace vortane::cli {

// While it lives, an interrupt (SIGINT, Ctrl+C) requests a stop of `stop`
// instead of ending the process, so that a sweep can finish the points under
// way and leave only whole rows. A handler notes the signal and a watcher
// thread passes it on within 50 ms; the watcher leaves as soon as the object
// ends. Without a source, it stops one of its own.
class StopOnInterrupt {
public:
    explicit StopOnInterrupt(std::stop_source stop = {});
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

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
