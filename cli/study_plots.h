#pragma once

#include <vector>

#include "cli/svg_chart.h"
#include "model/profile_along_channels.h"
#include "study/sweep_curves.h"

namespace vortane::cli {

// The pressures in both channels (kgf/cm2) and the inlet flow fraction (on the
// second axis) against the relative position z.
Chart ProfileChart(const std::vector<ChannelPoint>& points);

// A panel per quantity of `curves` against the first swept field, one curve
// per value of the second; points that did not complete leave gaps.
Chart SweepChart(const SweepPlan& plan, const SweepCurves& curves);

}  // namespace vortane::cli
