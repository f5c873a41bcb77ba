#include "cli/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vortane::cli {

namespace {

[[noreturn]] void FailOnStandardOutput(int error) {
    throw OutputError(std::string("cannot write standard output: ") + std::strerror(error));
}

}  // namespace

void OutputFile::Write(std::string_view bytes) {
    if (file_) {
        file_->Write(bytes);
    } else if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        FailOnStandardOutput(errno);
    }
}

void OutputFile::Close() {
    if (file_) {
        file_->Commit();
    } else if (std::fflush(stdout) != 0) {
        FailOnStandardOutput(errno);
    }
}

}  // namespace vortane::cli
