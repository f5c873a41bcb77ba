#pragma once

#include <vector>

#include "case/units.h"
#include "chart/chart.h"
#include "model/profile_along_channels.h"

namespace vortane {

// The chart of a run's profile along the channels, as every front end shows it.

// The pressures in both channels (technical metric points, drawn in the
// pressure unit of `system`) and, on the second axis, the inlet flow fraction
// against the relative position z.
Chart ProfileChart(const std::vector<ChannelPoint>& points, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
