#include "cli/interrupt.h"

#include <chrono>
#include <csignal>
#include <semaphore>

namespace vortane::cli {

#if VORTANE_NO_THREADS
// Without threads there is no watcher: Ctrl+C ends the program, as it ends any.
StopOnInterrupt::StopOnInterrupt(std::stop_source stop) : stop_(std::move(stop)) {}

StopOnInterrupt::~StopOnInterrupt() = default;
#else
namespace {

// The handler may run on any thread, Windows' own among them: it only notes
// the interrupt, and the watcher passes it on.
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
#endif

}  // namespace vortane::cli
