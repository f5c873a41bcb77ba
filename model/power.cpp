#include "model/power.h"

#include <array>
#include <cmath>

#include "model/arithmetic.h"
#include "model/inlet_balance.h"
#include "model/pressure_profile.h"

namespace vortane {

namespace {

constexpr int SliceCount = 10;

// The relative positions (i − 0.5) / 10 of the slice centres, stored once for
// every pass.
const std::array<double, SliceCount>& SliceCentres() {
    static const std::array<double, SliceCount> centres = [] {
        std::array<double, SliceCount> built{};
        for (int i = 1; i <= SliceCount; ++i) built[i - 1] = Stored((i - 0.5_r) / 10);
        return built;
    }();
    return centres;
}

// Geometry and speeds shared by the terms of one call. ψ = π/2 − θ is the
// complement of the channel angle θ; its cosine and sine are taken from ψ.
struct PowerTerms {
    Real cosTheta;
    Real cosPsi, sinPsi;
    Real revsPerSec;  // N / 60
    Real D, H, L, Weq;
};

PowerTerms TermsOf(const CaseData& d) {
    const Real theta = d.ChannelAngleRad;
    const Real psi = HalfPi - theta;
    return {std::cos(theta), std::cos(psi), std::sin(psi), Real{d.ScrewSpeed} / 60,
            d.BarrelDiameter, d.ChannelDepth,  d.ChannelLength, d.EquivalentWidth};
}

// Viscous dissipation of the drag flow in one channel.
double ChannelDragPower(const PowerTerms& t, double viscosity) {
    return Stored(Over((t.cosPsi * t.cosPsi + 4 * t.sinPsi * t.sinPsi) *
                           Over(Pi * viscosity * Pi * t.revsPerSec * t.revsPerSec * t.D * t.D * t.Weq, t.H) *
                           t.L,
                       t.cosTheta));
}

// Power of the drag flow along a channel against its pressure gradient over one
// slice: gradient from flow fraction f, drag ratio and pressure ratio of that
// channel.
double SlicePower(const PowerTerms& t, const CaseData& d, double flowFraction, double dragRatio,
                  double pressureRatio, double sliceLength) {
    const double relGradient = Stored(Over(Real{dragRatio} - flowFraction, pressureRatio));
    const double gradient =  // gf/cm2 per cm
        Stored(Over(t.cosTheta * (Real{d.InletPressure} * 1000) * relGradient, t.L));
    return Stored(t.cosPsi *
                  (t.revsPerSec * Pi * t.D * t.Weq * t.H / 2 * gradient) * sliceLength);
}

// Shear dissipation in the clearance over one barrier flight.
double BarrierPower(const PowerTerms& t, double viscosity, double width, double clearance) {
    return Stored(Over(Over(Pi * viscosity * Pi * t.revsPerSec * t.revsPerSec * t.D * t.D * width, clearance) *
                           t.L,
                       t.cosTheta));
}

}  // namespace

PowerParts ComputePowerParts(CaseData& d) {
    const PowerTerms t = TermsOf(d);
    PowerParts parts{};

    d.ChannelShearRate_P = SurfaceShearRate(d, d.ChannelDepth);
    d.ChannelViscosity_P = MeltViscosity(d, d.ChannelShearRate_P);
    parts.channelDrag = ChannelDragPower(t, d.ChannelViscosity_P);
    parts.sliceLength = Stored(Over(t.L, t.cosTheta * 10));

    parts.inletPressure = 0;
    parts.outletPressure = 0;
    const InletFlowProfile profile = InletFlowProfileOf(d);
    for (int i = 1; i <= SliceCount; ++i) {
        const double inletFraction = InletFlowFraction(profile, SliceCentres()[i - 1]);
        parts.inletPressure = Stored(
            Real{parts.inletPressure} + SlicePower(t, d, inletFraction, d.InletDragFlowRatio,
                                                   d.InletPressureFlowRatio, parts.sliceLength));
        const double outletFraction = Stored(1 - Real{inletFraction});
        parts.outletPressure = Stored(
            Real{parts.outletPressure} + SlicePower(t, d, outletFraction, d.OutletDragFlowRatio,
                                                    d.OutletPressureFlowRatio, parts.sliceLength));
    }

    d.Barrier1ShearRate = SurfaceShearRate(d, d.BarrierClearance1);
    d.Barrier1Viscosity = MeltViscosity(d, d.Barrier1ShearRate);
    parts.barrier1 = BarrierPower(t, d.Barrier1Viscosity, d.BarrierWidth1, d.BarrierClearance1);
    d.Barrier2ShearRate = SurfaceShearRate(d, d.BarrierClearance2);
    d.Barrier2Viscosity = MeltViscosity(d, d.Barrier2ShearRate);
    parts.barrier2 = BarrierPower(t, d.Barrier2Viscosity, d.BarrierWidth2, d.BarrierClearance2);
    return parts;
}

double ComputePower(CaseData& d) {
    const PowerParts p = ComputePowerParts(d);
    const Real n = d.InletChannelCount;
    return Stored(n * p.channelDrag * 2 + (Real{p.inletPressure} + p.outletPressure) * n +
                  (Real{p.barrier1} + p.barrier2) * n);
}

}  // namespace vortane
