#include "study/interrupt.h"

#include <pthread.h>

#include <csignal>
#include <ctime>

namespace vortane {

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

bool StopOnInterrupt::Interrupted() const { return stop_.stop_requested(); }

}  // namespace vortane
