#pragma once

#include <string>

#include "study/chart.h"

namespace vortane {

// The chart as a whole SVG document: the title above, the panels stacked over
// the shared x axis (its ticks and title under the lowest), the legend at the
// right. A curve is one polyline per unbroken run of points.
std::string SvgDocument(const Chart& chart);

}  // namespace vortane
