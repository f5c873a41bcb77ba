#include "case/file_read.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace vortane {

namespace {

// Why the file at `path` is no file to read whole, or null for a regular
// file and one whose status is unknown (its open says what is wrong).
const char* NotAFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    switch (fs::status(path, error).type()) {
        case fs::file_type::directory: return std::strerror(EISDIR);
        case fs::file_type::fifo: return "Is a FIFO";
        case fs::file_type::character:
        case fs::file_type::block: return "Is a device";
        case fs::file_type::socket: return "Is a socket";
        default: return nullptr;
    }
}

[[noreturn]] void Fail(const std::string& path, std::string_view name, const char* reason) {
    throw FileReadError("cannot read " + std::string(name) + ": " + reason, {path, {}, nullptr});
}

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string ReadWholeFile(const std::string& path, std::string_view name) {
    if (const char* reason = NotAFile(path)) Fail(path, name, reason);
    errno = 0;
    const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
    if (!file) Fail(path, name, std::strerror(errno));
    std::string content;
    std::array<char, 65536> chunk{};
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) content.append(chunk.data(), got);
    if (std::ferror(file.get()) != 0) Fail(path, name, errno != 0 ? std::strerror(errno) : "read error");
    return content;
}

}  // namespace vortane
