// What the file system can do to a report, and what each failure leaves: the
// whole blocks written before it, and nothing else.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "model/prepare_channel.h"
#include "report/report_writer.h"
#include "run/calculation_run.h"
#include "run/input_reading.h"
#include "support/default_report.h"
#include "support/case_request.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

namespace fs = std::filesystem;
using testing::DefaultReportLines;
using testing::ReadBytes;
using testing::CaseRequest;
using testing::ScratchDir;

constexpr std::size_t InputBlockLines = 31;

// Runs `body` in a child process without root's power to write anywhere: as
// the unprivileged user "nobody" when this process is root. Returns the
// child's exit status (126 for an exception), or nothing when privileges could
// not be dropped.
std::optional<int> RunUnprivileged(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(125);
        try {
            ::_exit(body());
        } catch (...) {
            ::_exit(126);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 125) return std::nullopt;
    return WEXITSTATUS(status);
}

// A scratch directory that the unprivileged user may enter.
class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override { fs::permissions(dir.Root(), fs::perms(0755)); }
    ScratchDir dir;
};

TEST_F(FaultInjection, MissingDirectory) {
    const fs::path path = dir.Path("no-such-dir/result.txt");
    const RunResult result = RunCalculation(CaseRequest(path.string()));
    EXPECT_EQ(result.outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(result.messages, std::vector<std::string>{"File can not open!"});
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(FaultInjection, ReadOnlyDirectory) {
    const fs::path readOnly = dir.Path("read-only");
    fs::create_directory(readOnly);
    fs::permissions(readOnly, fs::perms(0555));
    const fs::path path = readOnly / "result.txt";
    // Exit status: 0 when the run stopped at the first writer with only its
    // message, 1 otherwise.
    const auto status = RunUnprivileged([&] {
        const RunResult result = RunCalculation(CaseRequest(path.string()));
        const bool stopped = result.outcome == RunOutcome::FileNotOpened &&
                             result.messages == std::vector<std::string>{"File can not open!"};
        return stopped ? 0 : 1;
    });
    if (!status) GTEST_SKIP() << "cannot drop root privileges here, and root writes anywhere";
    EXPECT_EQ(*status, 0);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(FaultInjection, NameOfADirectory) {
    fs::create_directory(dir.Path("taken"));
    const RunResult result = RunCalculation(CaseRequest(dir.Path("taken").string()));
    EXPECT_EQ(result.outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(result.messages, std::vector<std::string>{"File can not open!"});
    EXPECT_TRUE(fs::is_directory(dir.Path("taken")));
    EXPECT_TRUE(fs::is_empty(dir.Path("taken")));
}

TEST_F(FaultInjection, EmptyName) {
    const RunResult result = RunCalculation(CaseRequest(""));
    EXPECT_EQ(result.outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(result.messages, std::vector<std::string>{"File can not open!"});
}

TEST_F(FaultInjection, NameWithANulByteNamesNoFile) {
    const RunResult result = RunCalculation(CaseRequest(dir.Path("result").string() + std::string(1, '\0') + ".txt"));
    EXPECT_EQ(result.outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(result.messages, std::vector<std::string>{"File can not open!"});
    EXPECT_TRUE(fs::is_empty(dir.Root()));
}

TEST_F(FaultInjection, FifoWithoutAReaderDoesNotBlock) {
    const fs::path fifo = dir.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const RunResult result = RunCalculation(CaseRequest(fifo.string()));
    EXPECT_EQ(result.outcome, RunOutcome::FileNotOpened);
    EXPECT_EQ(result.messages, std::vector<std::string>{"File can not open!"});
}

TEST_F(FaultInjection, NameLongerThan255BytesIsCut) {
    const std::string name = dir.Root().string() + "/" + std::string(300, 'y');
    const RunResult result = RunCalculation(CaseRequest(name));
    EXPECT_EQ(result.outcome, RunOutcome::Complete);
    EXPECT_EQ(ReadBytes(name.substr(0, 255)), DefaultReportLines(49));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Root()), {}), 1);
}

TEST_F(FaultInjection, FullDevice) {
    const RunResult result = RunCalculation(CaseRequest("/dev/full"));
    EXPECT_EQ(result.outcome, RunOutcome::Fault);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.fault, "I/O error while writing the report: No space left on device");
    EXPECT_EQ(result.blocksWritten, 0);
}

// The stages of a run up to the channel block, with `between` done to the file
// after the input block has been written.
struct ChannelBlockAttempt {
    bool fileOk;
    std::vector<std::string> messages;
};

ChannelBlockAttempt WriteChannelBlockAfter(const fs::path& path,
                                           const std::function<void()>& between) {
    ReportFile report{path.string(), '.', {}};
    CaseData data;
    Messages sink;
    ReadInputData(data, DefaultTexts('.'), '.', sink);
    WriteInputData(data, report, sink);
    between();
    PrepareChannel(data, sink);
    WriteChannelData(data, report, sink);
    return {data.FileOk, sink};
}

TEST_F(FaultInjection, ReportRemovedBeforeTheChannelBlock) {
    const fs::path path = dir.Path("result.txt");
    const auto attempt = WriteChannelBlockAfter(path, [&] { fs::remove(path); });
    EXPECT_FALSE(attempt.fileOk);
    EXPECT_EQ(attempt.messages, std::vector<std::string>{"File can not open!"});
    EXPECT_FALSE(fs::exists(path));  // the appending writer does not create it
}

TEST_F(FaultInjection, ReportMadeUnwritableBeforeTheChannelBlock) {
    const fs::path open = dir.Path("open-to-all");
    fs::create_directory(open);
    fs::permissions(open, fs::perms(0777));
    const fs::path path = open / "result.txt";
    // Exit status: 0 when the channel block could not be opened, 1 otherwise.
    const auto status = RunUnprivileged([&] {
        const auto attempt =
            WriteChannelBlockAfter(path, [&] { fs::permissions(path, fs::perms(0444)); });
        return !attempt.fileOk &&
                       attempt.messages == std::vector<std::string>{"File can not open!"}
                   ? 0
                   : 1;
    });
    if (!status) GTEST_SKIP() << "cannot drop root privileges here, and root writes anywhere";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(ReadBytes(path), DefaultReportLines(InputBlockLines));
}

TEST_F(FaultInjection, AppendingWriterNeverCreatesTheFile) {
    CaseData data;
    Messages sink;
    ReportFile report{dir.Path("result.txt").string(), '.', {}};
    WriteResults(data, report, sink);
    EXPECT_FALSE(data.FileOk);
    EXPECT_EQ(sink, std::vector<std::string>{"File can not open!"});
    EXPECT_FALSE(fs::exists(dir.Path("result.txt")));
}

}  // namespace
}  // namespace vortane
