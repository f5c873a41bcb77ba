#include "case/file_read.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "support/scratch_dir.h"

namespace vortane {
namespace {

// The error a read raises: its text and the file its context names.
std::pair<std::string, std::string> FailureOf(const std::string& path) {
    try {
        ReadWholeFile(path, "notes " + path);
    } catch (const FileReadError& error) {
        return {error.what(), error.Context().file.value_or("")};
    }
    return {"", ""};
}

TEST(FileRead, WholeFileByteForByte) {
    testing::ScratchDir dir;
    std::string bytes = "line\r\n";
    bytes += '\0';
    bytes += "\xEF\xBB\xBF";
    while (bytes.size() < 200'000) bytes += std::to_string(bytes.size()) + '\n';  // several reads
    std::ofstream(dir.Path("big.txt"), std::ios::binary) << bytes;
    std::ofstream(dir.Path("empty.txt"), std::ios::binary).close();
    EXPECT_EQ(ReadWholeFile(dir.Path("big.txt").string(), "big"), bytes);
    EXPECT_EQ(ReadWholeFile(dir.Path("empty.txt").string(), "empty"), "");
}

TEST(FileRead, RefusalsNameTheFile) {
    testing::ScratchDir dir;
    const std::string missing = dir.Path("missing.txt").string();
    EXPECT_EQ(FailureOf(missing),
              std::pair("cannot read notes " + missing + ": No such file or directory", missing));
    const std::string folder = dir.Root().string();
    EXPECT_EQ(FailureOf(folder), std::pair("cannot read notes " + folder + ": Is a directory", folder));
#if !defined(_WIN32)
    // A FIFO is refused before it is opened: the read never waits for a writer.
    const std::string fifo = dir.Path("fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(FailureOf(fifo), std::pair("cannot read notes " + fifo + ": Is a FIFO", fifo));
    EXPECT_EQ(FailureOf("/dev/null").first, "cannot read notes /dev/null: Is a device");
#endif
}

// /proc/self/mem is a regular file whose first read fails (nothing is mapped
// at address 0): the read's failure is an error, not an empty file.
TEST(FileRead, ReadErrorIsAnError) {
    if (!std::filesystem::is_regular_file("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem";
    EXPECT_EQ(FailureOf("/proc/self/mem").first, "cannot read notes /proc/self/mem: Input/output error");
}

}  // namespace
}  // namespace vortane
