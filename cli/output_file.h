#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "case/error.h"
#include "case/file_write.h"

namespace vortane::cli {

// Writing to standard output failed.
class OutputError : public Error {
public:
    using Error::Error;
};

// One of the study's outputs: a file written whole or not at all (a failure
// is the core's FileWriteError, and leaves nothing), or standard output, a
// plain stream (a failure is an OutputError).
class OutputFile {
public:
    explicit OutputFile(const std::string& path) : file_(std::in_place, path) {}
    static OutputFile StandardOutput() { return OutputFile(); }

    void Write(std::string_view bytes);
    // Puts the file in place (standard output is flushed only). A file never
    // closed is left unwritten.
    void Close();

private:
    OutputFile() = default;

    std::optional<FileWriter> file_;  // none: standard output
};

}  // namespace vortane::cli
