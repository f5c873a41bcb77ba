#include "model/least_pressure.h"

#include <cmath>
#include <vector>

#include "model/arithmetic.h"
#include "model/profile_along_channels.h"

namespace vortane {

namespace {

// The positions 0 < z < 1 where y(z) = c: the positive roots u of
// A u² + (C − c) u + B = 0, z = ln u / s. The roots are taken in the form that
// does not cancel.
std::vector<double> PositionsWhereFlowFractionIs(const CaseData& d, Real c) {
    const Real a = d.ProfileCoefA, b = Real{d.ProfileOffset} - c, e = d.ProfileCoefB;
    const Real s = Sqrt(d.ProfileK);
    std::vector<Real> roots;
    if (a == 0) {
        if (b != 0) roots.push_back(Over(-e, b));
    } else if (const Real discriminant = Finite(b * b - 4 * a * e); discriminant >= 0) {
        const Real q = -(b + std::copysign(Sqrt(discriminant), b)) / 2;
        roots.push_back(Over(q, a));
        if (q != 0) roots.push_back(Over(e, q));
    }
    std::vector<double> positions;
    for (const Real u : roots) {
        if (!(u > 0)) continue;
        const Real z = Over(Log(u), s);
        if (z > 0 && z < 1) positions.push_back(static_cast<double>(z));
    }
    return positions;
}

// The least of one channel's pressure among the positions where its gradient
// changes sign and the two ends.
LeastPressure LeastAmong(const CaseData& d, Real turningFraction, const ChannelPoint& start,
                         const ChannelPoint& end, double ChannelPoint::*pressure) {
    std::vector<ChannelPoint> candidates;
    for (const double z : PositionsWhereFlowFractionIs(d, turningFraction))
        candidates.push_back(ChannelPointAt(d, z));
    candidates.push_back(start);
    candidates.push_back(end);
    LeastPressure least{candidates.front().*pressure, candidates.front().z};
    for (const ChannelPoint& point : candidates)
        if (point.*pressure < least.pressure) least = {point.*pressure, point.z};
    return least;
}

}  // namespace

ChannelLeastPressures LeastPressuresAlongChannels(const CaseData& data) {
    const ChannelPoint start = ChannelPointAt(data, 0);
    const ChannelPoint end = ChannelPointAt(data, 1);
    return {LeastAmong(data, data.InletDragFlowRatio, start, end, &ChannelPoint::pressureInlet),
            LeastAmong(data, 1 - Real{data.OutletDragFlowRatio}, start, end,
                       &ChannelPoint::pressureOutlet)};
}

}  // namespace vortane
