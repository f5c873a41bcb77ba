#include "report/report_writer.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <system_error>

#include "report/report_layout.h"

namespace vortane {

namespace {

enum class OpenMode { Create, Append };

[[noreturn]] void ThrowIoError(int error) {
    throw ReportIoError(std::string("I/O error while writing the report: ") +
                        std::strerror(error));
}

#if defined(_WIN32)

// The report's descriptor, or -1. A name holding a NUL byte names no file (it
// is not cut short at the NUL). The name is UTF-8; binary mode writes the
// block's CR LF line ends as they are.
int OpenReport(const std::string& name, OpenMode mode) {
    if (name.find('\0') != std::string::npos) return -1;
    const std::filesystem::path path(std::u8string(name.begin(), name.end()));
    const int flags =
        mode == OpenMode::Create ? _O_WRONLY | _O_CREAT | _O_TRUNC : _O_WRONLY | _O_APPEND;
    return ::_wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

// Writes all of `bytes`.
bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1U << 30));
        const int written = ::_write(descriptor, bytes.data(), chunk);
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;  // nothing written: the device is full
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int CloseReport(int descriptor) { return ::_close(descriptor); }

#else

// The report's descriptor, or -1. A name holding a NUL byte names no file (it
// is not cut short at the NUL), and a FIFO without a reader fails at once
// rather than blocking the run: the open does not wait.
int OpenReport(const std::string& name, OpenMode mode) {
    if (name.find('\0') != std::string::npos) return -1;
    const int flags = mode == OpenMode::Create ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY | O_APPEND;
    return ::open(name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
}

// Writes all of `bytes`. The descriptor stays non-blocking, which only a pipe
// or a device notices: when one would block, it is made blocking and the
// write goes on, so a slow reader is waited for.
bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

int CloseReport(int descriptor) { return ::close(descriptor); }

#endif

// Why the report could not be opened, in the system's words.
std::string OpenFailure(const std::string& name, int error) {
    if (name.find('\0') != std::string::npos) return "the name holds a NUL byte";
    return std::generic_category().message(error);
}

// Opens the report, writes the block in one piece and closes it: three system
// calls a block.
void WriteBlock(CaseData& data, ReportFile& report, OpenMode mode,
                std::string_view bytes, Messages& messages) {
    const int descriptor = OpenReport(report.ResultFileName, mode);
    if (descriptor < 0) {
        report.openFailure = OpenFailure(report.ResultFileName, errno);
        data.FileOk = false;
        messages.emplace_back(message::FileCannotOpen);
        return;
    }
    if (!WriteAll(descriptor, bytes)) {
        const int error = errno;
        CloseReport(descriptor);
        ThrowIoError(error);
    }
    if (CloseReport(descriptor) != 0 && errno != EINTR) ThrowIoError(errno);
    data.FileOk = true;
}

}  // namespace

void WriteInputData(CaseData& data, ReportFile& report, Messages& messages) {
    WriteBlock(data, report, OpenMode::Create, InputBlock(data, report.decimalSeparator), messages);
}

void WriteChannelData(CaseData& data, ReportFile& report, Messages& messages) {
    WriteBlock(data, report, OpenMode::Append, ChannelBlock(data, report.decimalSeparator),
               messages);
}

void WriteResults(CaseData& data, ReportFile& report, Messages& messages) {
    WriteBlock(data, report, OpenMode::Append, ResultsBlock(data, report.decimalSeparator),
               messages);
}

}  // namespace vortane
