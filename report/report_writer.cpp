#include "report/report_writer.h"

#include <fcntl.h>
#include <unistd.h>

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

// The report's descriptor, or -1. A name holding a NUL byte names no file (it
// is not cut short at the NUL), and a FIFO without a reader fails at once
// rather than blocking the run: the open does not wait.
int OpenReport(const std::string& name, OpenMode mode) {
    if (name.find('\0') != std::string::npos) return -1;
    const int flags = mode == OpenMode::Create ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY | O_APPEND;
    return ::open(name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
}

// Why the report could not be opened, in the system's words.
std::string OpenFailure(const std::string& name, int error) {
    if (name.find('\0') != std::string::npos) return "the name holds a NUL byte";
    return std::generic_category().message(error);
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
        ::close(descriptor);
        ThrowIoError(error);
    }
    if (::close(descriptor) != 0 && errno != EINTR) ThrowIoError(errno);
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
