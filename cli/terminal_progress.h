#pragma once

#include <chrono>
#include <cstddef>
#include <iostream>
#include <string>

namespace vortane::cli {

// Progress on standard error, rewritten in place at most five times a second,
// when standard error is a terminal: "point N of M" of a sweep, "run N" of a
// search. The last state is drawn when it ends, and the line closed.
class TerminalProgress {
public:
    explicit TerminalProgress(std::ostream& err = std::cerr);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // A sweep's points done, of all.
    void operator()(std::size_t done, std::size_t total);
    // A search's runs made.
    void Runs(std::size_t made);

private:
    void Show(std::string text, bool last);

    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
    std::string pending_;  // drawn at the end when the rate held it back
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace vortane::cli
