#include "report/report_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

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
// rather than blocking the run: the open does not wait, the writes do.
int OpenReport(const std::string& name, OpenMode mode) {
    if (name.find('\0') != std::string::npos) return -1;
    const int flags = mode == OpenMode::Create ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY | O_APPEND;
    const int descriptor = ::open(name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor >= 0) ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

void WriteBlock(CaseData& data, const ReportFile& report, OpenMode mode,
                const std::vector<std::string>& lines, MessageSink& messages) {
    const int descriptor = OpenReport(report.ResultFileName, mode);
    std::FILE* file = descriptor < 0 ? nullptr : ::fdopen(descriptor, "w");
    if (file == nullptr) {
        if (descriptor >= 0) ::close(descriptor);
        data.FileOk = false;
        messages.ShowMessage(message::FileCannotOpen);
        return;
    }
    for (const std::string& line : lines) {
        if (std::fputs(line.c_str(), file) == EOF || std::fputs("\r\n", file) == EOF) {
            const int error = errno;
            std::fclose(file);
            ThrowIoError(error);
        }
    }
    if (std::fclose(file) != 0) ThrowIoError(errno);
    data.FileOk = true;
}

}  // namespace

void WriteInputData(CaseData& data, const ReportFile& report, MessageSink& messages) {
    WriteBlock(data, report, OpenMode::Create, InputBlock(data, report.decimalSeparator), messages);
}

void WriteChannelData(CaseData& data, const ReportFile& report, MessageSink& messages) {
    WriteBlock(data, report, OpenMode::Append, ChannelBlock(data, report.decimalSeparator),
               messages);
}

void WriteResults(CaseData& data, const ReportFile& report, MessageSink& messages) {
    WriteBlock(data, report, OpenMode::Append, ResultsBlock(data, report.decimalSeparator),
               messages);
}

}  // namespace vortane
