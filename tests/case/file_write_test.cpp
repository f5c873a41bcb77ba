#include "case/file_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "support/scratch_dir.h"

namespace vortane {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScratchDir;

// The names in `dir`, sorted.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The error a whole write raises: its text and the file its context names.
std::pair<std::string, std::string> FailureOf(const std::string& path, std::string_view bytes = "x") {
    try {
        WriteWholeFile(path, bytes);
    } catch (const FileWriteError& error) {
        return {error.what(), error.Context().file.value_or("")};
    }
    return {"", ""};
}

// Rows as a sweep streams them: small pieces, now and then one larger than
// the writer's buffer.
std::string Rows(std::size_t count) {
    std::string rows;
    for (std::size_t row = 0; row < count; ++row) rows += std::to_string(row) + ",1.5e+02,3.25,-7\n";
    return rows;
}

TEST(FileWrite, WholeFileReplacesTheOldAndLeavesNoTemporary) {
    ScratchDir dir;
    const std::string path = dir.Path("case.vcase").string();
    WriteWholeFile(path, "first\n");
    EXPECT_EQ(ReadBytes(path), "first\n");
    std::string bytes(3, '\0');
    bytes += Rows(40'000);  // beyond the buffer
    WriteWholeFile(path, bytes);
    EXPECT_EQ(ReadBytes(path), bytes);
    WriteWholeFile(path, "");
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"case.vcase"});
}

TEST(FileWrite, StreamedFileAppearsOnlyOnCommit) {
    ScratchDir dir;
    const std::string path = dir.Path("sweep.csv").string();
    WriteWholeFile(path, "old\n");
    const std::string rows = Rows(30'000);
    const std::string large(700'000, 'L');
    {
        FileWriter file(path);
        file.Write(rows);  // larger than the buffer: straight through
        for (std::size_t at = 0; at < rows.size(); at += 37) file.Write(std::string_view(rows).substr(at, 37));
        file.Write(large);
        EXPECT_EQ(ReadBytes(path), "old\n");
        file.Commit();
        EXPECT_THROW(file.Write("more"), std::logic_error);
    }
    EXPECT_EQ(ReadBytes(path), rows + rows + large);
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"sweep.csv"});

    // Dropped without a commit: the old file stays, the temporary goes.
    {
        FileWriter file(path);
        file.Write(large);
        file.Write("tail");
        FileWriter moved(std::move(file));
        moved.Write("more");
    }
    EXPECT_EQ(ReadBytes(path), rows + rows + large);
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"sweep.csv"});
    {
        FileWriter never(dir.Path("never.csv").string());
        never.Write(rows);
    }
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"sweep.csv"});
}

TEST(FileWrite, FailuresNameTheFileAndTheReason) {
    ScratchDir dir;
    const std::string missing = dir.Path("no such folder/r.html").string();
    EXPECT_EQ(FailureOf(missing), std::pair("cannot write " + missing + ": No such file or directory", missing));
    const std::string folder = dir.Root().string();
    EXPECT_EQ(FailureOf(folder), std::pair("cannot write " + folder + ": Is a directory", folder));
    EXPECT_EQ(FailureOf("").first, "cannot write : No such file or directory");
    // Not cut short at the NUL: the name shows it.
    EXPECT_EQ(FailureOf(std::string("a\0b", 3)).first, "cannot write a\\0b: the name holds a NUL byte");
    EXPECT_TRUE(Names(dir.Root()).empty());
}

#if !defined(_WIN32)

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST(FileWrite, NewFilesTakeTheUmaskReplacedFilesKeepTheirMode) {
    ScratchDir dir;
    const mode_t previous = ::umask(027);
    const std::string fresh = dir.Path("fresh.csv").string();
    WriteWholeFile(fresh, "a");
    EXPECT_EQ(ModeOf(fresh), 0640u);
    ::umask(previous);

    const std::string kept = dir.Path("kept.vcase").string();
    WriteWholeFile(kept, "a");
    ASSERT_EQ(::chmod(kept.c_str(), 0604), 0);
    WriteWholeFile(kept, "b");
    EXPECT_EQ(ModeOf(kept), 0604u);
    EXPECT_EQ(ReadBytes(kept), "b");

    // A read-only file is kept, though its folder is writable (root may
    // write any file).
    if (::geteuid() == 0) return;
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    EXPECT_EQ(FailureOf(kept).first, "cannot write " + kept + ": Permission denied");
    EXPECT_EQ(ReadBytes(kept), "b");
}

// A link is followed: the file it names is replaced, the link stays a link.
TEST(FileWrite, LinksAreFollowed) {
    ScratchDir dir;
    fs::create_directory(dir.Path("cases"));
    const fs::path real = dir.Path("cases/real.vcase");
    WriteWholeFile(real.string(), "old");
    fs::create_symlink("cases/real.vcase", dir.Path("link.vcase"));
    fs::create_symlink("link.vcase", dir.Path("link2.vcase"));
    WriteWholeFile(dir.Path("link2.vcase").string(), "new");
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.vcase")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link2.vcase")));
    EXPECT_EQ(ReadBytes(real), "new");
    EXPECT_EQ(Names(dir.Path("cases")), std::vector<std::string>{"real.vcase"});

    // A dangling link makes the file it names.
    fs::create_symlink("cases/later.csv", dir.Path("later.csv"));
    WriteWholeFile(dir.Path("later.csv").string(), "made");
    EXPECT_EQ(ReadBytes(dir.Path("cases/later.csv")), "made");

    fs::create_symlink("loop.csv", dir.Path("loop.csv"));
    EXPECT_EQ(FailureOf(dir.Path("loop.csv").string()).first,
              "cannot write " + dir.Path("loop.csv").string() + ": Too many levels of symbolic links");
}

// A device holds no content to keep: it is written in place, as a stream,
// and stays the device it was.
TEST(FileWrite, DevicesAreWrittenInPlace) {
    WriteWholeFile("/dev/null", Rows(100));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(FailureOf("/dev/full"), std::pair(std::string("cannot write /dev/full: No space left on device"),
                                                std::string("/dev/full")));
    // A failed writer stays failed, with the same error.
    FileWriter full("/dev/full");
    EXPECT_THROW(full.Write(std::string(1 << 19, 'x')), FileWriteError);
    try {
        full.Commit();
        ADD_FAILURE() << "committed after a failed write";
    } catch (const FileWriteError& error) {
        EXPECT_STREQ(error.what(), "cannot write /dev/full: No space left on device");
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A descriptor's link, as /dev/stdout is, names the stream the descriptor
// holds: a pipe, or a file opened elsewhere, which keeps its inode.
TEST(FileWrite, DescriptorLinksAreTheirStreams) {
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe(pipe.data()), 0);
    WriteWholeFile("/proc/self/fd/" + std::to_string(pipe[1]), "through the pipe");
    ::close(pipe[1]);
    std::array<char, 64> read{};
    EXPECT_EQ(std::string(read.data(), static_cast<std::size_t>(::read(pipe[0], read.data(), read.size()))),
              "through the pipe");
    ::close(pipe[0]);

    ScratchDir dir;
    const std::string path = dir.Path("out.txt").string();
    WriteWholeFile(path, "old and longer");
    const int descriptor = ::open(path.c_str(), O_RDONLY);
    struct stat before {};
    ::fstat(descriptor, &before);
    WriteWholeFile("/proc/self/fd/" + std::to_string(descriptor), "new");
    struct stat after {};
    ::stat(path.c_str(), &after);
    ::close(descriptor);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"out.txt"});
}

#endif

}  // namespace
}  // namespace vortane
