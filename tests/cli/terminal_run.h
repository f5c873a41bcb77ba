#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vortane::testing {

// vortane-calc run in `dir` as from a terminal: its standard error on a
// pseudo-terminal, where it shows its progress; standard output to
// dir/stdout.txt. A test reads standard error as it comes, so that it can act
// once the program has shown its work under way rather than after a guessed
// delay.
class TerminalRun {
public:
    TerminalRun(const std::filesystem::path& dir, const std::vector<std::string>& arguments);
    ~TerminalRun();  // a program still running is killed
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    // Reads standard error until it holds `text`; false when the program
    // closed it or `timeout` passed first.
    bool WaitFor(std::string_view text, std::chrono::milliseconds timeout);
    void Interrupt() const;  // SIGINT, as Ctrl+C sends it
    // The exit status once the program ends, -1 when a signal ended it; a
    // program still running after `timeout` is killed (-1).
    int Wait(std::chrono::milliseconds timeout);
    // Standard error so far, as the terminal received it.
    const std::string& Err() const { return err_; }

private:
    // Takes what is there to read within `timeout`; false once it is closed.
    bool Read(std::chrono::milliseconds timeout);

    pid_t pid_ = -1;
    int terminal_ = -1;  // the pseudo-terminal's master side
    std::string err_;
};

}  // namespace vortane::testing
