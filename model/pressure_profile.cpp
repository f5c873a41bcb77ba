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
    const Real forward = Over(drag * d.BarrierClearance1, 2 * q * 60);
    return Stored(forward - Over(drag * d.BarrierClearance2, 2 * q * 60));
}

Real Cube(Real x) { return x * x * x; }

// Leakage conductance of both barrier flights in parallel: Σ δ³ / (η e).
Real BarrierConductance(const CaseData& d) {
    const Real first = Over(Cube(d.BarrierClearance1), Real{d.Barrier1Viscosity} * d.BarrierWidth1);
    return first + Over(Cube(d.BarrierClearance2), Real{d.Barrier2Viscosity} * d.BarrierWidth2);
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
          Over(cosTheta * d.EquivalentWidth * Cube(d.ChannelDepth) * d.InletPressure * 1000 *
                   d.PressureShapeFactor,
               12 * Real{d.ChannelViscosity} * q * d.ChannelLength));
    d.OutletPressureFlowRatio = d.InletPressureFlowRatio;
    const Real perConductance = Over(Real{d.InletPressure} * 1000 * d.ChannelLength, 12 * cosTheta * q);
    Store(d.BarrierPressureFlowRatio, perConductance * BarrierConductance(d));
    Store(d.InletDragFlowRatio, Over(std::sin(theta) * Pi * d.ScrewSpeed * d.BarrelDiameter *
                                         d.EquivalentWidth * d.ChannelDepth * d.DragShapeFactor,
                                     2 * q * 60));
    d.OutletDragFlowRatio = d.InletDragFlowRatio;

    const Real Pi1 = d.InletPressureFlowRatio, Po = d.OutletPressureFlowRatio;
    const Real Pb = d.BarrierPressureFlowRatio;
    const Real Di = d.InletDragFlowRatio, Do = d.OutletDragFlowRatio;
    Store(d.ProfileK, (Over(1, Pi1) + Over(1, Po)) * Pb);
    // Pi1 and Po are finite and not zero once ProfileK is stored.
    Store(d.ProfileForcing, Over(Pb, Po) * (1 - Do + Over(Po * Di, Pi1)));

    const Real k = d.ProfileK, K = d.ProfileForcing;
    const Real s = Sqrt(k);
    const Real r = Over(K, k);
    // exp(±s) each taken once, in the order the coefficients first need them.
    const Real decay = Exp(-s);
    Store(d.ProfileCoefB, Over(1 - (1 - decay) * r, 1 - Exp(-2 * s)));
    const Real grow = Exp(s);
    Store(d.ProfileCoefA, Over(1 - (1 - grow) * r, 1 - Exp(2 * s)));
    Store(d.ProfileOffset, r);
    Store(d.RelPressureInletEnd,
          1 - (Over((1 - decay) * (1 - Over(2 * K, k)), s * (decay + 1)) - Di + r) * Over(1, Pi1));
    if (!PassesInletPressureTest(d, messages)) return;

    const Real A = d.ProfileCoefA, B = d.ProfileCoefB;
    // Pb is not zero once r is taken (k = 0 with it), so these divisions can
    // only overflow.
    Store(d.RelPressureOutletStart, Over(Real{d.BarrierDragRatio} - 1, Pb) + 1 -
                                        (decay + s - 1) * Over(B, Pb) - (grow - s - 1) * Over(A, Pb));
    Store(d.RelPressureOutletEnd, Real{d.RelPressureOutletStart} - Over(1 - Di - Do, Po) +
                                      Over(Pi1, Po) * (1 - Real{d.RelPressureInletEnd}));
}

void AxialChannels(CaseData& d, Messages& messages) {
    const Real q = d.ChannelVolumeFlow;
    d.BarrierDragRatio = BarrierDragRatio(d);
    Store(d.InletPressureFlowRatio,
          Over(Real{d.EquivalentWidth} * Cube(d.ChannelDepth) * d.InletPressure * 1000 *
                   d.PressureShapeFactor,
               12 * Real{d.ChannelViscosity} * q * d.ChannelLength));
    d.OutletPressureFlowRatio = d.InletPressureFlowRatio;
    const Real perConductance = Over(Real{d.InletPressure} * 1000 * d.ChannelLength, 12 * q);
    Store(d.BarrierPressureFlowRatio, perConductance * BarrierConductance(d));
    d.InletDragFlowRatio = 0;
    d.OutletDragFlowRatio = 0;

    const Real Pi1 = d.InletPressureFlowRatio, Pb = d.BarrierPressureFlowRatio;
    Store(d.ProfileK, Over(2 * Pb, Pi1));
    Store(d.ProfileForcing, Over(Pb, Pi1));

    const Real s = Sqrt(Real{d.ProfileK});
    Store(d.ProfileCoefB, Over(0.5_r, 1 - Exp(-s)));
    const Real grow = Exp(s);  // taken once
    Store(d.ProfileCoefA, Over(0.5_r, 1 - grow));
    d.ProfileOffset = 0.5;
    Store(d.RelPressureInletEnd, 1 - Over(0.5_r, Pi1));
    if (!PassesInletPressureTest(d, messages)) return;

    // Pb and 1 − grow are not zero once the coefficients are stored.
    Store(d.RelPressureOutletStart, Over(s * (grow + 1), (1 - grow) * 2 * Pb) +
                                        (Over(d.BarrierDragRatio, Pb) + 1));
    Store(d.RelPressureOutletEnd,
          Real{d.RelPressureOutletStart} - d.RelPressureInletEnd + 1 - Over(1, Pi1));
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
