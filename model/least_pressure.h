#pragma once

#include "case/case_data.h"

namespace vortane {

// The least pressure along one channel of the current pass, kgf/cm2
// (p · InletPressure), and the relative position z where it falls.
struct LeastPressure {
    double pressure;
    double z;
};

// p1 is least at z = 0, at z = 1 or where dp1/dz = (InletDragFlowRatio − y) /
// InletPressureFlowRatio changes sign, that is where y(z) = InletDragFlowRatio;
// p2 likewise where y(z) = 1 − OutletDragFlowRatio. With u = exp(s z) each such
// z solves ProfileCoefA u² + (ProfileOffset − c) u + ProfileCoefB = 0, so the
// least is found in closed form among at most four positions; the channel
// ends are evaluated once for both channels.
struct ChannelLeastPressures {
    LeastPressure inlet, outlet;
};
ChannelLeastPressures LeastPressuresAlongChannels(const CaseData& data);

}  // namespace vortane
