#include "cli/interrupt.h"

#include <csignal>
#include <ctime>

#if defined(_WIN32)
#include <chrono>
#include <semaphore>
#else
#include <pthread.h>
#endif

namespace vortane::cli {

#if defined(_WIN32)

namespace {

// Windows delivers Ctrl+C to a handler on a thread of its own: the handler only
// notes it, and the watcher passes it on.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void NoteInterrupt(int) { interrupted = 1; }

}  // namespace

StopOnInterrupt::StopOnInterrupt(std::stop_source stop) : stop_(std::move(stop)) {
    interrupted = 0;
    std::signal(SIGINT, NoteInterrupt);
    // Looks every 50 ms, and leaves at once when it is done.
    watcher_ = std::jthread([this](const std::stop_token& done) {
        std::binary_semaphore wake{0};
        const std::stop_callback leave(done, [&wake] { wake.release(); });
        while (!done.stop_requested()) {
            if (interrupted != 0) Interrupt();
            (void)wake.try_acquire_for(std::chrono::milliseconds(50));
        }
    });
}

StopOnInterrupt::~StopOnInterrupt() {
    watcher_.request_stop();
    watcher_.join();
    std::signal(SIGINT, SIG_DFL);
}

#else

namespace {

// SIGINT, and the signal that tells the watcher it is done: both blocked in
// every thread, and taken by the watcher alone.
constexpr int DoneSignal = SIGUSR1;

sigset_t WatchedSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, DoneSignal);
    return set;
}

}  // namespace

StopOnInterrupt::StopOnInterrupt(std::stop_source stop) : stop_(std::move(stop)) {
    const sigset_t set = WatchedSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    watcher_ = std::jthread([this](const std::stop_token& done) {
        const sigset_t watched = WatchedSet();
        while (!done.stop_requested()) {
            int signal = 0;
            if (sigwait(&watched, &signal) == 0 && signal == SIGINT) Interrupt();
        }
    });
}

StopOnInterrupt::~StopOnInterrupt() {
    watcher_.request_stop();
    pthread_kill(watcher_.native_handle(), DoneSignal);
    watcher_.join();
    const sigset_t set = WatchedSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

#endif

bool StopOnInterrupt::Interrupted() const { return stop_.stop_requested(); }

}  // namespace vortane::cli
