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
        if (b != 0) roots.push_back(-e / b);
    } else if (const Real discriminant = b * b - 4 * a * e; discriminant >= 0) {
        const Real q = -(b + std::copysign(Sqrt(discriminant), b)) / 2;
        roots.push_back(q / a);
        if (q != 0) roots.push_back(e / q);
    }
    std::vector<double> positions;
    for (const Real u : roots) {
        if (!(u > 0)) continue;
        const Real z = Log(u) / s;
        if (z > 0 && z < 1) positions.push_back(static_cast<double>(z));
    }
    return positions;
}

template <typename Pressure>
LeastPressure LeastAmong(const CaseData& d, Real turningFraction, Pressure pressure) {
    std::vector<double> positions = PositionsWhereFlowFractionIs(d, turningFraction);
    positions.push_back(0);
    positions.push_back(1);
    LeastPressure least{};
    bool first = true;
    for (const double z : positions) {
        const double p = pressure(ChannelPointAt(d, z));
        if (first || p < least.pressure) least = {p, z};
        first = false;
    }
    return least;
}

}  // namespace

LeastPressure LeastInletChannelPressure(const CaseData& data) {
    return LeastAmong(data, data.InletDragFlowRatio,
                      [](const ChannelPoint& point) { return point.pressureInlet; });
}

LeastPressure LeastOutletChannelPressure(const CaseData& data) {
    return LeastAmong(data, 1 - Real{data.OutletDragFlowRatio},
                      [](const ChannelPoint& point) { return point.pressureOutlet; });
}

}  // namespace vortane
