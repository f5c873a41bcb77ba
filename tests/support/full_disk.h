#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vortane::testing {

// The full file system that tests/support/full_disk.sh made for this process:
// a tmpfs with no room left but the bytes asked for, or, where none could be
// made, an ordinary folder and the file size limit standing in for it.
class FullDisk {
public:
    // From full_disk.sh's environment; std::runtime_error without it.
    FullDisk();

    const std::filesystem::path& Dir() const { return dir_; }
    std::filesystem::path Path(const std::string& name) const { return dir_ / name; }
    // A read-only folder holding kept.txt ("kept\n"); empty where there is
    // none (the fallback, run as root).
    const std::filesystem::path& ReadOnlyDir() const { return readOnly_; }
    bool Tmpfs() const { return tmpfs_; }
    // What the system says of a write beyond the room left.
    std::string Reason() const;
    // The names in Dir() but the filler's, sorted.
    std::vector<std::string> Files() const;

    // Leaves `bytes` (whole pages) for what is written next.
    void Leave(std::size_t bytes);
    // A file written though the disk is full, which is as full after.
    void Put(const std::string& name, std::string_view bytes) const;
    // Removes every file but the filler, the room left as before.
    void Clear() const;

    // `write()` with only the bytes asked for left: in the fallback, with the
    // file size limit in force and SIGXFSZ ignored (inherited by programs it
    // starts).
    template <class Write>
    decltype(auto) Full(Write&& write) const {
        const Limit limit(*this);
        return write();
    }

private:
    class Limit {
    public:
        explicit Limit(const FullDisk& disk);
        ~Limit();
        Limit(const Limit&) = delete;
        Limit& operator=(const Limit&) = delete;

    private:
        bool set_ = false;
        unsigned long long previous_ = 0;  // the soft limit
        void (*handler_)(int) = nullptr;    // SIGXFSZ's
    };

    // Fills the tmpfs to the last page, then frees the bytes asked for.
    void Refill() const;

    std::filesystem::path dir_;
    std::filesystem::path readOnly_;
    bool tmpfs_ = false;
    std::size_t free_ = 0;
};

}  // namespace vortane::testing
