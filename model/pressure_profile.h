#pragma once

#include "model/arithmetic.h"
#include "case/case_data.h"
#include "case/messages.h"

namespace vortane {

// One pass's flow distribution between inlet and outlet channel and the
// pressures along them, relative to InletPressure. With the flow fraction y(z)
// still in the inlet channel at relative position z:
//   inlet channel   y     = InletDragFlowRatio  − InletPressureFlowRatio  · dp1/dz
//   outlet channel  1 − y = OutletDragFlowRatio − OutletPressureFlowRatio · dp2/dz
//   leakage        −dy/dz = BarrierDragRatio + BarrierPressureFlowRatio · (p1 − p2)
// so y'' = k y − K with y(0) = 1, y(1) = 0. Channels within half a degree of the
// screw axis take the axial form (no drag along the channel). Sets PressureOk;
// when the pressure at the inlet channel's end is not positive, raises the
// low-pressure message and leaves the outlet pressures and the drop untouched.
void SolvePressureProfile(CaseData& data, Messages& messages);

// The closed-form flow fraction of the current pass, its rate s = √ProfileK
// taken once for all the positions it is evaluated at.
struct InletFlowProfile {
    double coefA, coefB, offset;
    Real rate;
};
InletFlowProfile InletFlowProfileOf(const CaseData& data);

// y(z) = ProfileCoefA · exp(s z) + ProfileCoefB · exp(−s z) + ProfileOffset,
// s = √ProfileK, from the profile of the current pass.
double InletFlowFraction(const InletFlowProfile& profile, double z);
double InletFlowFraction(const CaseData& data, double z);

}  // namespace vortane
