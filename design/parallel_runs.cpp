#include "design/parallel_runs.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace vortane {

void InParallel(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& task) {
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) task(i);
    };
    std::vector<std::jthread> workers;
    for (unsigned t = 1; t < std::min<std::size_t>(threads, count); ++t) workers.emplace_back(work);
    work();
}

unsigned ThreadCount(int requested) {
    if (requested > 0) return static_cast<unsigned>(requested);
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace vortane
