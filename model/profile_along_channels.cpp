#include "model/profile_along_channels.h"

#include <cmath>

#include "model/arithmetic.h"
#include "model/pressure_profile.h"

namespace vortane {

double InletFlowIntegral(const CaseData& data, double z) {
    const Real s = Sqrt(Real{data.ProfileK});
    return Stored(Over(data.ProfileCoefA * std::expm1(s * z), s) -
                  Over(data.ProfileCoefB * std::expm1(-s * z), s) + data.ProfileOffset * Real{z});
}

ChannelPoint ChannelPointAt(const CaseData& d, double z) {
    ChannelPoint point{};
    point.z = z;
    point.inletFraction = InletFlowFraction(d, z);
    point.outletFraction = Stored(1 - Real{point.inletFraction});
    const Real integral = InletFlowIntegral(d, z);
    Store(point.relPressureInlet,
          1 + Over(Real{d.InletDragFlowRatio} * z - integral, d.InletPressureFlowRatio));
    Store(point.relPressureOutlet,
          d.RelPressureOutletStart +
              Over(Real{d.OutletDragFlowRatio} * z - z + integral, d.OutletPressureFlowRatio));
    Store(point.pressureInlet, Real{point.relPressureInlet} * d.InletPressure);
    Store(point.pressureOutlet, Real{point.relPressureOutlet} * d.InletPressure);
    return point;
}

std::vector<ChannelPoint> ProfileAlongChannels(const CaseData& data, int steps) {
    std::vector<ChannelPoint> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i)
        points.push_back(ChannelPointAt(data, static_cast<double>(i) / steps));
    return points;
}

}  // namespace vortane
