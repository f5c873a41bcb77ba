#pragma once

#include <string>
#include <vector>

#include "chart/chart.h"

namespace vortane::testing {

// The labels of a panel's series, in order.
inline std::vector<std::string> Labels(const ChartPanel& panel) {
    std::vector<std::string> labels;
    for (const ChartSeries& series : panel.series) labels.push_back(series.label);
    return labels;
}

}  // namespace vortane::testing
