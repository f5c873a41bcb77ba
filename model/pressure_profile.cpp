#include "model/pressure_profile.h"

#include <cmath>

#include "model/arithmetic.h"

namespace vortane {

namespace {

// Net drag over the barrier flights along the channel length, per unit of
// channel flow: clearance 1 carries melt into the outlet channel, clearance 2
// back.
double BarrierDragRatio(const CaseData& d) {
    const Real q = d.ChannelVolumeFlow;
    const Real drag = Pi * d.ScrewSpeed * d.BarrelDiameter * d.ChannelLength;
    return Stored(drag * d.BarrierClearance1 / (2 * q * 60) -
                  drag * d.BarrierClearance2 / (2 * q * 60));
}

Real Cube(Real x) { return x * x * x; }

// Leakage conductance of both barrier flights in parallel: Σ δ³ / (η e).
Real BarrierConductance(const CaseData& d) {
    return Cube(d.BarrierClearance1) / (Real{d.Barrier1Viscosity} * d.BarrierWidth1) +
           Cube(d.BarrierClearance2) / (Real{d.Barrier2Viscosity} * d.BarrierWidth2);
}

bool PassesInletPressureTest(CaseData& d, Messages& messages) {
    d.PressureOk = d.RelPressureInletEnd > 0;
    if (!d.PressureOk) messages.emplace_back(message::InletPressureTooLow);
    return d.PressureOk;
}

void InclinedChannels(CaseData& d, Messages& messages) {
    const Real theta = d.ChannelAngleRad;
    const Real q = d.ChannelVolumeFlow;
    d.BarrierDragRatio = BarrierDragRatio(d);
    const Real cosTheta = std::cos(theta);
    Store(d.InletPressureFlowRatio,
          cosTheta * d.EquivalentWidth * Cube(d.ChannelDepth) * d.InletPressure * 1000 *
              d.PressureShapeFactor /
              (12 * Real{d.ChannelViscosity} * q * d.ChannelLength));
    d.OutletPressureFlowRatio = d.InletPressureFlowRatio;
    Store(d.BarrierPressureFlowRatio, Real{d.InletPressure} * 1000 * d.ChannelLength /
                                          (12 * cosTheta * q) * BarrierConductance(d));
    Store(d.InletDragFlowRatio, std::sin(theta) * Pi * d.ScrewSpeed * d.BarrelDiameter *
                                    d.EquivalentWidth * d.ChannelDepth * d.DragShapeFactor /
                                    (2 * q * 60));
    d.OutletDragFlowRatio = d.InletDragFlowRatio;

    const Real Pi1 = d.InletPressureFlowRatio, Po = d.OutletPressureFlowRatio;
    const Real Pb = d.BarrierPressureFlowRatio;
    const Real Di = d.InletDragFlowRatio, Do = d.OutletDragFlowRatio;
    Store(d.ProfileK, (1 / Pi1 + 1 / Po) * Pb);
    Store(d.ProfileForcing, Pb / Po * (1 - Do + Po * Di / Pi1));

    const Real k = d.ProfileK, K = d.ProfileForcing;
    const Real s = Sqrt(k);
    const Real r = K / k;
    // exp(±s) each taken once, in the order the coefficients first need them.
    const Real decay = Exp(-s);
    Store(d.ProfileCoefB, (1 - (1 - decay) * r) / (1 - Exp(-2 * s)));
    const Real grow = Exp(s);
    Store(d.ProfileCoefA, (1 - (1 - grow) * r) / (1 - Exp(2 * s)));
    Store(d.ProfileOffset, r);
    Store(d.RelPressureInletEnd,
          1 - ((1 - decay) * (1 - 2 * K / k) / (s * (decay + 1)) - Di + r) * (1 / Pi1));
    if (!PassesInletPressureTest(d, messages)) return;

    const Real A = d.ProfileCoefA, B = d.ProfileCoefB;
    Store(d.RelPressureOutletStart, (Real{d.BarrierDragRatio} - 1) / Pb + 1 -
                                        (decay + s - 1) * (B / Pb) - (grow - s - 1) * (A / Pb));
    Store(d.RelPressureOutletEnd, Real{d.RelPressureOutletStart} - (1 - Di - Do) / Po +
                                      Pi1 / Po * (1 - Real{d.RelPressureInletEnd}));
}

void AxialChannels(CaseData& d, Messages& messages) {
    const Real q = d.ChannelVolumeFlow;
    d.BarrierDragRatio = BarrierDragRatio(d);
    Store(d.InletPressureFlowRatio,
          Real{d.EquivalentWidth} * Cube(d.ChannelDepth) * d.InletPressure * 1000 *
              d.PressureShapeFactor /
              (12 * Real{d.ChannelViscosity} * q * d.ChannelLength));
    d.OutletPressureFlowRatio = d.InletPressureFlowRatio;
    Store(d.BarrierPressureFlowRatio,
          Real{d.InletPressure} * 1000 * d.ChannelLength / (12 * q) * BarrierConductance(d));
    d.InletDragFlowRatio = 0;
    d.OutletDragFlowRatio = 0;

    const Real Pi1 = d.InletPressureFlowRatio, Pb = d.BarrierPressureFlowRatio;
    Store(d.ProfileK, 2 * Pb / Pi1);
    Store(d.ProfileForcing, Pb / Pi1);

    const Real s = Sqrt(Real{d.ProfileK});
    Store(d.ProfileCoefB, 0.5_r / (1 - Exp(-s)));
    const Real grow = Exp(s);  // taken once
    Store(d.ProfileCoefA, 0.5_r / (1 - grow));
    d.ProfileOffset = 0.5;
    Store(d.RelPressureInletEnd, 1 - 0.5_r / Pi1);
    if (!PassesInletPressureTest(d, messages)) return;

    Store(d.RelPressureOutletStart, s * (grow + 1) / ((1 - grow) * 2 * Pb) +
                                        (Real{d.BarrierDragRatio} / Pb + 1));
    Store(d.RelPressureOutletEnd,
          Real{d.RelPressureOutletStart} - d.RelPressureInletEnd + 1 - 1 / Pi1);
}

}  // namespace

void SolvePressureProfile(CaseData& data, Messages& messages) {
    if (data.ChannelAngleRad <= PiOver360)
        AxialChannels(data, messages);
    else
        InclinedChannels(data, messages);
    if (!data.PressureOk) return;
    Store(data.TotalPressureDrop, (1 - Real{data.RelPressureOutletEnd}) * data.InletPressure);
}

InletFlowProfile InletFlowProfileOf(const CaseData& data) {
    return {data.ProfileCoefA, data.ProfileCoefB, data.ProfileOffset,
            Sqrt(Real{data.ProfileK})};
}

double InletFlowFraction(const InletFlowProfile& profile, double z) {
    const Real s = profile.rate;
    return Stored((profile.coefA * Exp(s * z) + profile.coefB * Exp(-s * z)) +
                  profile.offset);
}

double InletFlowFraction(const CaseData& data, double z) {
    return InletFlowFraction(InletFlowProfileOf(data), z);
}

}  // namespace vortane
