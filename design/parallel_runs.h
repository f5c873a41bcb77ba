#pragma once

#include <cstddef>
#include <functional>

namespace vortane {

// Runs `task(i)` for each i below `count` on up to `threads` threads, the
// calling thread one of them; returns when every task is done.
void InParallel(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& task);

// The threads a search asks for: `requested`, or with 0 the processors there
// are (at least 1).
unsigned ThreadCount(int requested);

}  // namespace vortane
