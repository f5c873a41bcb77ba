#pragma once

#include <filesystem>
#include <string>

namespace vortane::testing {

// A fresh directory under the system's temporary directory, removed with the
// object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path Path(const std::string& name) const { return root_ / name; }
    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path root_;
};

// The whole content of a file, as bytes.
std::string ReadBytes(const std::filesystem::path& path);

}  // namespace vortane::testing
