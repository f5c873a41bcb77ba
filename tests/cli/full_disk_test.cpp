// vortane-calc's files on a full file system (run under
// tests/support/full_disk.sh): each that does not fit ends the program with
// status 3 and one line naming it and the reason, and leaves no file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <iostream>
#include <string>

#include "support/full_disk.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::FullDisk;
using testing::ReadBytes;
using testing::ScratchDir;
using Names = std::vector<std::string>;

struct Outcome {
    int status;
    std::string stderrText;
};

// vortane-calc with `arguments`, run in `dir`; its standard output dropped.
Outcome RunCalc(const ScratchDir& dir, const std::string& arguments) {
    const std::string command =
        "cd '" + dir.Root().string() + "' && LC_ALL=C " VORTANE_CALC " " + arguments + " 2>&1 >/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    std::array<char, 4096> chunk{};
    while (std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe)) text.append(chunk.data(), got);
    const int raw = ::pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text};
}

class CliFullDiskTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::cout << "full disk: " << (FullDisk().Tmpfs() ? "tmpfs" : "file size limit") << '\n';
    }
    void TearDown() override { disk.Clear(); }

    // The line vortane-calc ends with when `name` does not fit.
    std::string Failure(const std::string& name) const {
        return "vortane-calc: cannot write " + disk.Path(name).string() + ": " + disk.Reason() + "\n";
    }

    FullDisk disk;
    ScratchDir work;  // the current directory, for the report
};

// 8 KiB left: each output is larger, and is written in part before the disk
// refuses the rest; none of it is left.
TEST_F(CliFullDiskTest, OutputsLargerThanTheRoomLeaveNothing) {
    disk.Leave(8192);
    const std::string sweep = "--sweep OutputRate=30:300:1 ";
    for (const auto& [arguments, name] : {
             std::pair(sweep + "--csv ", "sweep.csv"),
             std::pair(sweep + "--html ", "sweep.html"),
             std::pair(std::string("--html "), "run.html"),
             std::pair(sweep + "--plot ", "sweep.svg"),
         }) {
        const std::string command = arguments + disk.Path(name).string();
        const Outcome outcome = disk.Full([&] { return RunCalc(work, command); });
        EXPECT_EQ(outcome.status, 3) << arguments;
        EXPECT_EQ(outcome.stderrText, Failure(name)) << arguments;
        EXPECT_EQ(disk.Files(), Names{}) << arguments;
    }
}

// No room at all: not even the case file is written, nor the case run; a file
// that was there keeps its bytes.
TEST_F(CliFullDiskTest, ACaseThatDoesNotFitIsNotWrittenNorRun) {
    disk.Leave(0);
    disk.Put("kept.vcase", "OutputRate = 30\n");
    for (const char* name : {"design.vcase", "kept.vcase"}) {
        const Outcome outcome =
            disk.Full([&] { return RunCalc(work, "ScrewSpeed=90 --write-case " + disk.Path(name).string()); });
        EXPECT_EQ(outcome.status, 3) << name;
        EXPECT_EQ(outcome.stderrText, Failure(name)) << name;
        EXPECT_EQ(disk.Files(), Names{"kept.vcase"}) << name;
    }
    EXPECT_EQ(ReadBytes(disk.Path("kept.vcase")), "OutputRate = 30\n");
    EXPECT_FALSE(std::filesystem::exists(work.Path("result.txt")));
}

TEST_F(CliFullDiskTest, AReadOnlyFolderIsNamed) {
    if (disk.ReadOnlyDir().empty()) GTEST_SKIP() << "no read-only folder here (the fallback, as root)";
    const std::string reason = disk.Tmpfs() ? "Read-only file system" : "Permission denied";
    const std::string csv = (disk.ReadOnlyDir() / "kept.txt").string();
    const Outcome outcome = RunCalc(work, "--sweep OutputRate=30:60:10 --csv " + csv);
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.stderrText, "vortane-calc: cannot write " + csv + ": " + reason + "\n");
    EXPECT_EQ(ReadBytes(csv), "kept\n");
}

}  // namespace
}  // namespace vortane
