#pragma once

#include <vector>

#include "case/case_data.h"

namespace vortane {

// The flow and the pressures at relative position z along the channels, from
// the closed-form profile of the current pass (y(z) of the pressure step and
// its relations):
//   p1(z) = 1 + (InletDragFlowRatio z − ∫₀ᶻ y) / InletPressureFlowRatio
//   p2(z) = RelPressureOutletStart
//           + (OutletDragFlowRatio z − z + ∫₀ᶻ y) / OutletPressureFlowRatio
// so that p1(1) is RelPressureInletEnd and p2(1) RelPressureOutletEnd.
struct ChannelPoint {
    double z;
    double inletFraction;      // y(z), share of the channel flow in the inlet channel
    double outletFraction;     // 1 − y(z)
    double relPressureInlet;   // p1(z)
    double relPressureOutlet;  // p2(z)
    double pressureInlet;      // p1(z) · InletPressure, kgf/cm2
    double pressureOutlet;     // p2(z) · InletPressure, kgf/cm2
};

// ∫₀ᶻ y dζ = ProfileCoefA (exp(s z) − 1) / s − ProfileCoefB (exp(−s z) − 1) / s
//            + ProfileOffset z, with s = √ProfileK.
double InletFlowIntegral(const CaseData& data, double z);

ChannelPoint ChannelPointAt(const CaseData& data, double z);

// The points at z = i / steps, i = 0 ... steps.
std::vector<ChannelPoint> ProfileAlongChannels(const CaseData& data, int steps);

}  // namespace vortane
