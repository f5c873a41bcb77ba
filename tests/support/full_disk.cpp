#include "support/full_disk.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace vortane::testing {

namespace {

constexpr std::size_t Page = 4096;
const char* const Filler = ".filler";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

FullDisk::FullDisk()
    : dir_(Environment("FULL_DISK_DIR")),
      readOnly_(Environment("READ_ONLY_DIR")),
      tmpfs_(Environment("FULL_DISK_MODE") == "tmpfs"),
      free_(std::stoul("0" + Environment("FULL_DISK_FREE"))) {
    if (dir_.empty()) throw std::runtime_error("not started by tests/support/full_disk.sh: no FULL_DISK_DIR");
}

std::string FullDisk::Reason() const { return tmpfs_ ? "No space left on device" : "File too large"; }

std::vector<std::string> FullDisk::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        if (entry.path().filename() != Filler) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void FullDisk::Leave(std::size_t bytes) {
    free_ = (bytes + Page - 1) / Page * Page;
    if (tmpfs_) Refill();
}

void FullDisk::Clear() const {
    for (const std::string& name : Files()) std::filesystem::remove_all(dir_ / name);
    if (tmpfs_) Refill();
}

void FullDisk::Put(const std::string& name, std::string_view bytes) const {
    if (tmpfs_) {  // room for the file's pages, taken from the filler
        const auto filler = dir_ / Filler;
        const auto size = std::filesystem::file_size(filler);
        const auto room = (bytes.size() + Page - 1) / Page * Page;
        std::filesystem::resize_file(filler, size > room ? size - room : 0);
    }
    std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot put " + name + " on the full disk");
    if (tmpfs_) Refill();
}

void FullDisk::Refill() const {
    const auto filler = dir_ / Filler;
    const int descriptor = ::open(filler.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (descriptor < 0) throw std::runtime_error("no filler in " + dir_.string());
    const std::array<char, Page> zeros{};
    while (::write(descriptor, zeros.data(), zeros.size()) > 0) {
    }
    ::close(descriptor);
    const auto size = std::filesystem::file_size(filler);
    std::filesystem::resize_file(filler, size > free_ ? size - free_ : 0);
}

FullDisk::Limit::Limit(const FullDisk& disk) {
    if (disk.tmpfs_) return;  // the device itself is full
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    previous_ = limit.rlim_cur;
    limit.rlim_cur = disk.free_;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit file sizes");
    handler_ = std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails as EFBIG
    set_ = true;
}

FullDisk::Limit::~Limit() {
    if (!set_) return;
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previous_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler_);
}

}  // namespace vortane::testing
