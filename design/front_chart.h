#pragma once

#include <span>
#include <vector>

#include "chart/chart.h"
#include "design/pareto_front.h"

namespace vortane {

// The front as every front end charts it, in the quantities' technical
// metric units, the knee ringed apart. Two objectives: one chart, the second
// against the first, the designs joined along the front. Three: the pairwise
// projections as marks, the second and the third against the first in one
// chart, the third against the second in another.
std::vector<Chart> FrontCharts(const FrontResult& front, std::span<const Objective> objectives);

}  // namespace vortane
