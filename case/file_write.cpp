#include "case/file_write.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace vortane {

namespace fs = std::filesystem;

namespace {

// A sweep writes its rows a few hundred bytes at a time: far fewer writes to
// the system with a buffer much larger than the file system's block.
constexpr std::size_t BufferSize = std::size_t{1} << 18;

// Bytes of the target's name kept in the temporary file's, within any file
// system's limit of 255 with the rest of the name.
constexpr std::size_t KeptNameLength = 200;

[[noreturn]] void Fail(const std::string& name, const std::string& reason) {
    throw FileWriteError("cannot write " + name + ": " + reason, {name, {}, nullptr});
}

[[noreturn]] void FailWith(const std::string& name, int error) {
    Fail(name, std::generic_category().message(error));
}

// What stands at the target, once links are followed.
struct Existing {
    fs::file_type type = fs::file_type::not_found;
#if !defined(_WIN32)
    struct stat status {};
#endif
};

#if defined(_WIN32)

// Names are UTF-8.
fs::path PathOf(const std::string& name) { return {std::u8string(name.begin(), name.end())}; }

int OpenNew(const fs::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

int OpenInPlace(const fs::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY | _O_NOINHERIT);
}

// Writes all of `bytes`; false with errno set when the system refuses.
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

bool Sync(int descriptor) { return ::_commit(descriptor) == 0; }

bool Close(int descriptor) { return ::_close(descriptor) == 0; }

Existing Inspect(const fs::path& path) {
    std::error_code error;
    return {fs::status(path, error).type()};
}

// A read-only file refuses the replacing rename itself.
bool Writable(const fs::path& /*path*/) { return true; }

void KeepOwnerAndMode(int /*descriptor*/, const Existing& /*existing*/) {}

// Puts `from` in the place of `to`, replacing it; an empty text when done,
// else why not.
std::string Replace(const fs::path& from, const fs::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
        return {};
    return std::system_category().message(static_cast<int>(::GetLastError()));
}

void SyncFolder(const fs::path& /*folder*/) {}  // MOVEFILE_WRITE_THROUGH did

#else

fs::path PathOf(const std::string& name) { return {name}; }

// Created, never opened when it is there; the umask takes its bits from 0666.
int OpenNew(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }

int OpenInPlace(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC); }

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (written == 0) {
            errno = ENOSPC;
            return false;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// A file system that cannot sync (EINVAL) has nothing more to write.
bool Sync(int descriptor) { return ::fsync(descriptor) == 0 || errno == EINVAL; }

// Linux releases the descriptor even when close is interrupted.
bool Close(int descriptor) { return ::close(descriptor) == 0 || errno == EINTR; }

Existing Inspect(const fs::path& path) {
    Existing existing;
    if (::stat(path.c_str(), &existing.status) != 0) return existing;
    const mode_t type = existing.status.st_mode & S_IFMT;
    existing.type = type == S_IFREG   ? fs::file_type::regular
                    : type == S_IFDIR ? fs::file_type::directory
                                      : fs::file_type::unknown;  // a device, FIFO or socket
    return existing;
}

// A file that its owner made read-only is not replaced behind its back.
bool Writable(const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; }

// The replaced file's owner where the system allows (another's file, when
// the writer may change owners), then its mode, set-user-ID bits included.
void KeepOwnerAndMode(int descriptor, const Existing& existing) {
    if (existing.type != fs::file_type::regular) return;
    if (::fchown(descriptor, existing.status.st_uid, existing.status.st_gid) != 0) {
        // Not the owner's to give: the new file stays the writer's.
    }
    if (::fchmod(descriptor, existing.status.st_mode & 07777) != 0) {
        // The umask's mode, as a new file's.
    }
}

std::string Replace(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) == 0) return {};
    return std::generic_category().message(errno);
}

// The rename itself reaches the device: a crash after it finds the new file.
void SyncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

#endif

// Where a name leads through links to links: `path` when it is no link.
struct Destination {
    fs::path path;
    // Through a descriptor's link in /proc (/dev/stdout, /dev/fd/N), which
    // names the stream the descriptor holds, not a file beside which to write.
    bool descriptor = false;
};

Destination FollowLinks(fs::path path, const std::string& name) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return {path};
        const fs::path folder = fs::canonical(fs::absolute(path, error).parent_path(), error);
        if (!error && folder.native().starts_with(fs::path("/proc/").native())) return {path, true};
        const fs::path link = fs::read_symlink(path, error);
        if (error) Fail(name, error.message());
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    FailWith(name, ELOOP);
}

// A name beside the target's, hidden, not yet taken when it is opened.
fs::path TemporaryBeside(const fs::path& target) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::array<char, 24> suffix{};
    std::snprintf(suffix.data(), suffix.size(), ".%016llx.tmp", static_cast<unsigned long long>(random()));
    fs::path name = target.parent_path() / ".";
    name += target.filename().native().substr(0, KeptNameLength);
    name += suffix.data();
    return name;
}

}  // namespace

struct FileWriter::Open {
    std::string name;     // as given: what messages name
    fs::path target;      // the links followed
    fs::path temporary;   // empty when written in place
    int descriptor = -1;  // -1 once closed
    std::string failure;  // the error that closed it early
    std::unique_ptr<char[]> buffer;
    std::size_t buffered = 0;

    ~Open() { Discard(); }

    // Closes and removes what is written so far, the target untouched.
    void Discard() noexcept {
        if (descriptor >= 0) Close(std::exchange(descriptor, -1));
        if (!temporary.empty()) {
            std::error_code ignored;
            fs::remove(std::exchange(temporary, {}), ignored);
        }
    }

    [[noreturn]] void Abandon(const std::string& reason) {
        Discard();
        failure = "cannot write " + name + ": " + reason;
        Fail(name, reason);
    }
    [[noreturn]] void Abandon(int error) { Abandon(std::generic_category().message(error)); }

    // A writer that failed stays failed, with the same error.
    void CheckOpen() const {
        if (descriptor < 0) throw FileWriteError(failure, {name, {}, nullptr});
    }

    void Put(std::string_view bytes) {
        if (!WriteAll(descriptor, bytes)) Abandon(errno);
    }

    void Flush() {
        if (buffered == 0) return;
        Put({buffer.get(), std::exchange(buffered, 0)});
    }
};

FileWriter::FileWriter(const std::string& path) : open_(std::make_unique<Open>()) {
    Open& open = *open_;
    open.name = path;
    if (path.empty()) FailWith(path, ENOENT);
    if (const std::size_t nul = path.find('\0'); nul != std::string::npos) {
        std::string shown = path;
        for (std::size_t at = nul; at != std::string::npos; at = shown.find('\0', at + 2)) shown.replace(at, 1, "\\0");
        Fail(shown, "the name holds a NUL byte");
    }
    const Destination destination = FollowLinks(PathOf(path), path);
    open.target = destination.path;
    const Existing existing = Inspect(PathOf(path));
    if (existing.type == fs::file_type::directory) FailWith(path, EISDIR);
    // Written in place, as a stream: a device or a FIFO holds nothing to
    // keep, and a descriptor's link names the descriptor's stream.
    if (destination.descriptor ||
        (existing.type != fs::file_type::not_found && existing.type != fs::file_type::regular)) {
        open.descriptor = OpenInPlace(PathOf(path));
        if (open.descriptor < 0) FailWith(path, errno);
        return;
    }
    if (existing.type == fs::file_type::regular && !Writable(PathOf(path))) FailWith(path, errno);
    for (int attempt = 0; attempt < 100 && open.descriptor < 0; ++attempt) {
        open.temporary = TemporaryBeside(open.target);
        open.descriptor = OpenNew(open.temporary);
        if (open.descriptor < 0 && errno != EEXIST) {
            const int error = errno;
            open.temporary.clear();  // not made: nothing to remove
            FailWith(path, error);
        }
    }
    if (open.descriptor < 0) {
        open.temporary.clear();
        FailWith(path, EEXIST);
    }
    KeepOwnerAndMode(open.descriptor, existing);
}

FileWriter::~FileWriter() = default;

FileWriter::FileWriter(FileWriter&& other) noexcept : open_(std::move(other.open_)) {}

void FileWriter::Write(std::string_view bytes) {
    if (!open_) throw std::logic_error("FileWriter::Write after Commit");
    Open& open = *open_;
    open.CheckOpen();
    if (open.buffered + bytes.size() > BufferSize) open.Flush();
    if (bytes.size() >= BufferSize) {
        open.Put(bytes);
        return;
    }
    if (!open.buffer) open.buffer = std::make_unique<char[]>(BufferSize);
    std::memcpy(open.buffer.get() + open.buffered, bytes.data(), bytes.size());
    open.buffered += bytes.size();
}

void FileWriter::Commit() {
    if (!open_) throw std::logic_error("FileWriter::Commit after Commit");
    Open& open = *open_;
    open.CheckOpen();
    open.Flush();
    if (!open.temporary.empty() && !Sync(open.descriptor)) open.Abandon(errno);
    if (!Close(std::exchange(open.descriptor, -1))) open.Abandon(errno);
    if (!open.temporary.empty()) {
        if (const std::string failure = Replace(open.temporary, open.target); !failure.empty())
            open.Abandon(failure);
        open.temporary.clear();
        SyncFolder(open.target.parent_path());
    }
    open_.reset();
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    FileWriter file(path);
    file.Write(bytes);
    file.Commit();
}

}  // namespace vortane
