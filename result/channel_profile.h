#pragma once

#include <string>
#include <vector>

#include "model/profile_along_channels.h"
#include "run/calculation_run.h"

namespace vortane {

// The flow and pressures along the channels of a complete run at z = i / steps,
// i = 0 ... steps; or, when the profile's own arithmetic faults (or the run did
// not complete), no points and the fault's text.
struct ChannelProfile {
    std::vector<ChannelPoint> points;
    std::string fault;
};

ChannelProfile ProfileOfRun(const RunResult& run, int steps);

}  // namespace vortane
