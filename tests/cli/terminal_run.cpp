#include "terminal_run.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace vortane::testing {

namespace {

using Clock = std::chrono::steady_clock;

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("TerminalRun: ") + what + " failed");
}

}  // namespace

TerminalRun::TerminalRun(const std::filesystem::path& dir, const std::vector<std::string>& arguments) {
    terminal_ = posix_openpt(O_RDWR | O_NOCTTY);
    Check(terminal_ >= 0 && grantpt(terminal_) == 0 && unlockpt(terminal_) == 0, "posix_openpt");
    const char* name = ptsname(terminal_);
    Check(name != nullptr, "ptsname");
    const int side = open(name, O_RDWR | O_NOCTTY);
    Check(side >= 0, "opening the terminal");
    // Bytes as written: no CR added before LF.
    termios mode{};
    Check(tcgetattr(side, &mode) == 0, "tcgetattr");
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    Check(tcsetattr(side, TCSANOW, &mode) == 0, "tcsetattr");

    std::vector<std::string> words{VORTANE_CALC};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string out = (dir / "stdout.txt").string();
    // The environment, made before the fork: LC_ALL=C, as the other tests run it.
    std::vector<std::string> environment{"LC_ALL=C"};
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (!std::string_view(*variable).starts_with("LC_ALL=")) environment.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);

    pid_ = fork();
    Check(pid_ >= 0, "fork");
    if (pid_ == 0) {
        setsid();
        const int output = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int input = open("/dev/null", O_RDONLY);
        if (output < 0 || input < 0 || dup2(input, STDIN_FILENO) < 0 || dup2(output, STDOUT_FILENO) < 0 ||
            dup2(side, STDERR_FILENO) < 0 || chdir(dir.c_str()) != 0)
            _exit(127);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(side);
}

TerminalRun::~TerminalRun() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    close(terminal_);
}

bool TerminalRun::Read(std::chrono::milliseconds timeout) {
    pollfd ready{terminal_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(timeout.count())) <= 0) return true;
    char bytes[4096];
    const ssize_t got = read(terminal_, bytes, sizeof bytes);
    if (got <= 0) return false;  // EIO: the program's end of the terminal is closed
    err_.append(bytes, static_cast<std::size_t>(got));
    return true;
}

bool TerminalRun::WaitFor(std::string_view text, std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (err_.find(text) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0 || !Read(std::min(left, std::chrono::milliseconds(100)))) return false;
    }
    return true;
}

void TerminalRun::Interrupt() const { kill(pid_, SIGINT); }

int TerminalRun::Wait(std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            pid_ = -1;
            return -1;
        }
        // Keeps the terminal drained, so that the program never waits on it.
        if (!Read(std::chrono::milliseconds(20))) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
    for (pollfd ready{terminal_, POLLIN, 0}; poll(&ready, 1, 0) > 0 && Read(std::chrono::milliseconds(0));) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vortane::testing
