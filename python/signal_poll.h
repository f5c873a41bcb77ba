#pragma once

#include <pybind11/pybind11.h>

#include <chrono>

namespace vortane::python {

// Ctrl+C while a long call runs without the GIL: at most every 50 ms the GIL is
// taken for a look at pending signals. A signal whose handler raised leaves
// its exception pending; the caller stops its work and rethrows it.
class SignalPoll {
public:
    // Whether a handler raised since the last look.
    bool Raised() {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(50)) return false;
        last_ = now;
        const pybind11::gil_scoped_acquire gil;
        return PyErr_CheckSignals() != 0;
    }

private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace vortane::python
