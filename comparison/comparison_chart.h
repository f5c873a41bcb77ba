#pragma once

#include <string>
#include <vector>

#include "chart/chart.h"
#include "comparison/comparison.h"
#include "model/profile_along_channels.h"

namespace vortane {

// The profile of one design along the channels, under its name.
struct NamedProfile {
    std::string name;
    std::vector<ChannelPoint> points;
};

// The pressures in both channels (in the unit of `system`) of every design
// against z, one colour per design: "NAME p1" drawn solid, "NAME p2" dashed. A
// design without points has no series.
Chart ProfileComparisonChart(const std::vector<NamedProfile>& profiles, UnitSystem system = UnitSystem::Metric);

// The same for compared designs: each run's profile in 100 steps, under the
// design's name.
Chart ProfileComparisonChart(const std::vector<ComparedDesign>& designs, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
