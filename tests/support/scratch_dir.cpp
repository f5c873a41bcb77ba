#include "support/scratch_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vortane::testing {

ScratchDir::ScratchDir() {
    std::mt19937_64 random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto name = "vortane-test-" + std::to_string(random());
        root_ = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(root_)) return;  // a new one, ours alone
    }
    throw std::runtime_error("no scratch directory under " +
                             std::filesystem::temp_directory_path().string());
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace vortane::testing
