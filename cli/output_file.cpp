#include "cli/output_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace vortane::cli {

OutputFile::OutputFile(const std::string& path)
    : file_(std::fopen(path.c_str(), "wb")), name_(path) {
    if (file_ == nullptr) Fail(errno);
    // A sweep writes its rows a few hundred bytes at a time: far fewer writes
    // to the system with a larger buffer than the file system's block.
    buffer_ = std::make_unique<char[]>(BufferSize);
    std::setvbuf(file_, buffer_.get(), _IOFBF, BufferSize);
}

OutputFile OutputFile::StandardOutput() { return OutputFile(stdout, "standard output"); }

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      name_(std::move(other.name_)),
      buffer_(std::move(other.buffer_)) {}

OutputFile::~OutputFile() {
    if (file_ != nullptr && file_ != stdout) std::fclose(file_);
}

void OutputFile::Write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(errno);
}

void OutputFile::Close() {
    std::FILE* file = std::exchange(file_, nullptr);
    const bool failed = file == stdout ? std::fflush(file) != 0 : std::fclose(file) != 0;
    if (failed) Fail(errno);
}

void OutputFile::Fail(int error) const {
    throw OutputError("cannot write " + name_ + ": " + std::strerror(error));
}

}  // namespace vortane::cli
