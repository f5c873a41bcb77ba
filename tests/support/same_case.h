#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "case/case_data.h"

namespace vortane::testing {

// Every field of two cases equal, the reals bit for bit (0 and -0 differ).
inline void ExpectSameCase(const CaseData& a, const CaseData& b) {
    struct Real {
        const char* name;
        double CaseData::*field;
    };
#define R(field) Real{#field, &CaseData::field}
    static constexpr Real Reals[] = {
        R(BarrelDiameter), R(ScrewSpeed), R(OutputRate), R(ChannelLength), R(BarrierWidth1),
        R(BarrierWidth2), R(BarrierClearance1), R(BarrierClearance2), R(ChannelDepth),
        R(CornerRadius), R(ChannelAngle), R(InletMeltTemp), R(InletSolidTemp), R(SolidRatio),
        R(InletPressure), R(MeltingPoint), R(MeltDensity), R(SolidSpecificHeat), R(HeatOfFusion),
        R(MeltSpecificHeat), R(A0), R(A1), R(A11), R(A2), R(A22), R(A12), R(ChannelAngleRad),
        R(ChannelWidth), R(SectionArea), R(EquivalentWidth), R(DragShapeFactor),
        R(PressureShapeFactor), R(InletAverageMeltTemp), R(WorkingTemp), R(MassFlowRate),
        R(ChannelVolumeFlow), R(ChannelShearRate), R(ChannelViscosity), R(Barrier1ShearRate),
        R(Barrier1Viscosity), R(Barrier2ShearRate), R(Barrier2Viscosity), R(BarrierDragRatio),
        R(InletPressureFlowRatio), R(OutletPressureFlowRatio), R(BarrierPressureFlowRatio),
        R(InletDragFlowRatio), R(OutletDragFlowRatio), R(ProfileK), R(ProfileForcing),
        R(ProfileCoefA), R(ProfileCoefB), R(ProfileOffset), R(RelPressureInletEnd),
        R(RelPressureOutletStart), R(RelPressureOutletEnd), R(TotalPressureDrop),
        R(ChannelShearRate_P), R(ChannelViscosity_P), R(PowerCalPerSec), R(PowerKW),
        R(TemperatureRise), R(OutletAverageMeltTemp), R(MeanMeltTemp)
    };
#undef R
    for (const Real& real : Reals) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.*real.field),
                  std::bit_cast<std::uint64_t>(b.*real.field))
            << real.name << ": " << a.*real.field << " against " << b.*real.field;
    }
    EXPECT_EQ(a.InletChannelCount, b.InletChannelCount);
    EXPECT_EQ(a.EffectiveChannelCount, b.EffectiveChannelCount);
    EXPECT_EQ(a.InputOk, b.InputOk);
    EXPECT_EQ(a.FileOk, b.FileOk);
    EXPECT_EQ(a.WidthOk, b.WidthOk);
    EXPECT_EQ(a.SectionOk, b.SectionOk);
    EXPECT_EQ(a.PressureOk, b.PressureOk);
    EXPECT_EQ(a.Converged, b.Converged);
}

}  // namespace vortane::testing
