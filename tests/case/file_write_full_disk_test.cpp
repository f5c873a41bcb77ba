// The core's writer on a full file system (run under tests/support/full_disk.sh
// with 8 KiB left): what does not fit is no file at all, what was there stays.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "case/file_write.h"
#include "support/full_disk.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::FullDisk;
using testing::ReadBytes;
using Names = std::vector<std::string>;

// The text of the error `write` raises; empty when it raises none.
template <class Write>
std::string FailureOf(Write&& write) {
    try {
        write();
    } catch (const FileWriteError& error) {
        return error.what();
    }
    return "";
}

class FullDiskTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { std::cout << "full disk: " << (FullDisk().Tmpfs() ? "tmpfs" : "file size limit") << '\n'; }
    void TearDown() override { disk.Clear(); }

    FullDisk disk;
};

TEST_F(FullDiskTest, WhatDoesNotFitIsNoFile) {
    const std::string page(64 * 1024, 'p');
    const std::string path = disk.Path("report.html").string();
    EXPECT_EQ(disk.Full([&] { return FailureOf([&] { WriteWholeFile(path, page); }); }),
              "cannot write " + path + ": " + disk.Reason());
    EXPECT_EQ(disk.Files(), Names{});

    // What fits is written, beside the full rest.
    const std::string small = disk.Path("small.vcase").string();
    disk.Full([&] { WriteWholeFile(small, "OutputRate = 30\n"); });
    EXPECT_EQ(ReadBytes(small), "OutputRate = 30\n");
}

TEST_F(FullDiskTest, AFileReplacedKeepsItsOldBytes) {
    disk.Put("design.vcase", "OutputRate = 30\n");
    const std::string path = disk.Path("design.vcase").string();
    const std::string bigger(64 * 1024, 'b');
    EXPECT_EQ(disk.Full([&] { return FailureOf([&] { WriteWholeFile(path, bigger); }); }),
              "cannot write " + path + ": " + disk.Reason());
    EXPECT_EQ(ReadBytes(path), "OutputRate = 30\n");
    EXPECT_EQ(disk.Files(), Names{"design.vcase"});
}

// Rows streamed past the room left: the write or the commit fails, and
// nothing of them is left.
TEST_F(FullDiskTest, AStreamThatOverflowsLeavesNothing) {
    const std::string path = disk.Path("sweep.csv").string();
    const std::string failure = disk.Full([&] {
        return FailureOf([&] {
            FileWriter file(path);
            for (int row = 0; row < 20'000; ++row) file.Write(std::to_string(row) + ",150,3.25,-7\n");
            file.Commit();
        });
    });
    EXPECT_EQ(failure, "cannot write " + path + ": " + disk.Reason());
    EXPECT_EQ(disk.Files(), Names{});
}

TEST_F(FullDiskTest, AReadOnlyFolderIsNamed) {
    if (disk.ReadOnlyDir().empty()) GTEST_SKIP() << "no read-only folder here (the fallback, as root)";
    const std::string reason = disk.Tmpfs() ? "Read-only file system" : "Permission denied";
    const std::string kept = (disk.ReadOnlyDir() / "kept.txt").string();
    EXPECT_EQ(FailureOf([&] { WriteWholeFile(kept, "new\n"); }), "cannot write " + kept + ": " + reason);
    EXPECT_EQ(ReadBytes(kept), "kept\n");
    const std::string fresh = (disk.ReadOnlyDir() / "fresh.csv").string();
    EXPECT_EQ(FailureOf([&] { FileWriter file(fresh); }), "cannot write " + fresh + ": " + reason);
}

}  // namespace
}  // namespace vortane
