#include "cli/terminal_progress.h"

#include <unistd.h>

namespace vortane::cli {

TerminalProgress::TerminalProgress(std::ostream& err) : err_(err), shown_(::isatty(STDERR_FILENO) != 0) {}

TerminalProgress::~TerminalProgress() {
    if (!pending_.empty()) err_ << '\r' << pending_;
    if (drawn_ || !pending_.empty()) err_ << '\n' << std::flush;
}

void TerminalProgress::operator()(std::size_t done, std::size_t total) {
    if (shown_) Show("vortane-calc: point " + std::to_string(done) + " of " + std::to_string(total), done == total);
}

void TerminalProgress::Runs(std::size_t made) {
    if (shown_) Show("vortane-calc: run " + std::to_string(made), false);
}

void TerminalProgress::Show(std::string text, bool last) {
    const auto now = std::chrono::steady_clock::now();
    if (!last && now - last_ < std::chrono::milliseconds(200)) {
        pending_ = std::move(text);
        return;
    }
    last_ = now;
    drawn_ = true;
    pending_.clear();
    err_ << '\r' << text << std::flush;
}

}  // namespace vortane::cli
