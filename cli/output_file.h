#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "case/error.h"

namespace vortane::cli {

// Writing one of the study's outputs failed; the text names the file and the
// reason.
class OutputError : public Error {
public:
    using Error::Error;
};

// A file created (or truncated) for writing, or standard output; every failure
// to write or close is an OutputError.
class OutputFile {
public:
    explicit OutputFile(const std::string& path);
    static OutputFile StandardOutput();
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    OutputFile& operator=(OutputFile&&) = delete;

    void Write(std::string_view bytes);
    // Flushes and closes (standard output is flushed only).
    void Close();

private:
    OutputFile(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}
    [[noreturn]] void Fail(int error) const;

    static constexpr std::size_t BufferSize = std::size_t{1} << 18;

    std::FILE* file_;
    std::string name_;
    std::unique_ptr<char[]> buffer_;  // the file's, while it is open
};

}  // namespace vortane::cli
