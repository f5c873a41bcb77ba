#include "cli/interrupt.h"

#include <csignal>
#include <ctime>

#if defined(_WIN32)
#include <chrono>
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
    watcher_ = std::jthread([this](const std::stop_token& done) {
        while (!done.stop_requested()) {
            if (interrupted != 0) stop_.request_stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
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

sigset_t InterruptSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

StopOnInterrupt::StopOnInterrupt(std::stop_source stop) : stop_(std::move(stop)) {
    const sigset_t set = InterruptSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    watcher_ = std::jthread([this](const std::stop_token& done) {
        const sigset_t interrupt = InterruptSet();
        const timespec wait{0, 50'000'000};  // 50 ms: how soon the watcher sees it is done
        while (!done.stop_requested()) {
            if (sigtimedwait(&interrupt, nullptr, &wait) == SIGINT) stop_.request_stop();
        }
    });
}

StopOnInterrupt::~StopOnInterrupt() {
    watcher_.request_stop();
    watcher_.join();
    const sigset_t set = InterruptSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

#endif

bool StopOnInterrupt::Interrupted() const { return stop_.stop_requested(); }

}  // namespace vortane::cli
