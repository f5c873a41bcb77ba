#pragma once

#include <vector>

#include "cli/svg_chart.h"
#include "cli/sweep.h"
#include "model/profile_along_channels.h"

namespace vortane::cli {

// The pressures in both channels (kgf/cm2) and the inlet flow fraction (on the
// second axis) against the relative position z.
Chart ProfileChart(const std::vector<ChannelPoint>& points);

// Collects a sweep's results point by point for its chart: the total pressure
// drop, the power and the temperature rise against the first swept field, one
// curve per value of the second. Points that did not complete leave gaps.
class SweepChartData {
public:
    explicit SweepChartData(const SweepPlan& plan);
    void Add(const PointResult& point);
    Chart Build() const;

private:
    const SweepPlan& plan_;
    std::vector<double> x_;                    // the first field's values
    std::vector<std::vector<double>> values_;  // per quantity, per point
};

}  // namespace vortane::cli
