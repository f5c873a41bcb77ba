#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "case/error.h"

namespace vortane {

// A file that could not be written whole: "cannot write PATH: REASON", the
// reason in the system's words; its context holds the path. The file is then
// as it was before: no part of the new content and no temporary file is left.
class FileWriteError : public Error {
public:
    using Error::Error;
};

// Writes a file whole or not at all. The content goes to a temporary file in
// the target's folder, every write checked, then flushed to the device and
// closed, and only then renamed over the target. A new file gets the usual
// mode (0666 less the umask), a file replaced keeps its mode and, where the
// system allows, its owner. A symbolic link is followed: its target is
// replaced, the link kept. A device, a FIFO or a descriptor's link
// (/dev/stdout) is written in place, as the stream it is. Any failure is a
// FileWriteError, the target untouched and the temporary file removed.
class FileWriter {
public:
    explicit FileWriter(const std::string& path);
    // Uncommitted: the temporary file is removed and the target untouched.
    ~FileWriter();
    FileWriter(FileWriter&& other) noexcept;
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    FileWriter& operator=(FileWriter&&) = delete;

    // Appends `bytes`, through a buffer of a few hundred kilobytes.
    void Write(std::string_view bytes);
    // Flushes, syncs and closes the file, then puts it in the target's place.
    // Once only; a writer that failed cannot commit.
    void Commit();

private:
    struct Open;
    std::unique_ptr<Open> open_;  // null once committed or moved from
};

// `bytes` as the whole content of the file at `path`, as FileWriter writes it.
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace vortane
