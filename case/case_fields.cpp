#include "case/case_fields.h"

#include <array>

namespace vortane {

namespace {

// The member and its own name, so that the two cannot differ.
#define VORTANE_FIELD(member) \
    CaseField { #member, &CaseData::member }

constexpr std::array Fields{
    VORTANE_FIELD(BarrelDiameter),
    VORTANE_FIELD(ScrewSpeed),
    VORTANE_FIELD(OutputRate),
    VORTANE_FIELD(ChannelLength),
    VORTANE_FIELD(BarrierWidth1),
    VORTANE_FIELD(BarrierWidth2),
    VORTANE_FIELD(BarrierClearance1),
    VORTANE_FIELD(BarrierClearance2),
    VORTANE_FIELD(ChannelDepth),
    VORTANE_FIELD(CornerRadius),
    VORTANE_FIELD(ChannelAngle),
    VORTANE_FIELD(InletChannelCount),
    VORTANE_FIELD(EffectiveChannelCount),
    VORTANE_FIELD(InletMeltTemp),
    VORTANE_FIELD(InletSolidTemp),
    VORTANE_FIELD(SolidRatio),
    VORTANE_FIELD(InletPressure),
    VORTANE_FIELD(MeltingPoint),
    VORTANE_FIELD(MeltDensity),
    VORTANE_FIELD(SolidSpecificHeat),
    VORTANE_FIELD(HeatOfFusion),
    VORTANE_FIELD(MeltSpecificHeat),
    VORTANE_FIELD(A0),
    VORTANE_FIELD(A1),
    VORTANE_FIELD(A11),
    VORTANE_FIELD(A2),
    VORTANE_FIELD(A22),
    VORTANE_FIELD(A12),
    VORTANE_FIELD(InputOk),
    VORTANE_FIELD(FileOk),
    VORTANE_FIELD(WidthOk),
    VORTANE_FIELD(SectionOk),
    VORTANE_FIELD(PressureOk),
    VORTANE_FIELD(Converged),
    VORTANE_FIELD(ChannelAngleRad),
    VORTANE_FIELD(ChannelWidth),
    VORTANE_FIELD(SectionArea),
    VORTANE_FIELD(EquivalentWidth),
    VORTANE_FIELD(DragShapeFactor),
    VORTANE_FIELD(PressureShapeFactor),
    VORTANE_FIELD(InletAverageMeltTemp),
    VORTANE_FIELD(WorkingTemp),
    VORTANE_FIELD(MassFlowRate),
    VORTANE_FIELD(ChannelVolumeFlow),
    VORTANE_FIELD(ChannelShearRate),
    VORTANE_FIELD(ChannelViscosity),
    VORTANE_FIELD(Barrier1ShearRate),
    VORTANE_FIELD(Barrier1Viscosity),
    VORTANE_FIELD(Barrier2ShearRate),
    VORTANE_FIELD(Barrier2Viscosity),
    VORTANE_FIELD(BarrierDragRatio),
    VORTANE_FIELD(InletPressureFlowRatio),
    VORTANE_FIELD(OutletPressureFlowRatio),
    VORTANE_FIELD(BarrierPressureFlowRatio),
    VORTANE_FIELD(InletDragFlowRatio),
    VORTANE_FIELD(OutletDragFlowRatio),
    VORTANE_FIELD(ProfileK),
    VORTANE_FIELD(ProfileForcing),
    VORTANE_FIELD(ProfileCoefA),
    VORTANE_FIELD(ProfileCoefB),
    VORTANE_FIELD(ProfileOffset),
    VORTANE_FIELD(RelPressureInletEnd),
    VORTANE_FIELD(RelPressureOutletStart),
    VORTANE_FIELD(RelPressureOutletEnd),
    VORTANE_FIELD(TotalPressureDrop),
    VORTANE_FIELD(ChannelShearRate_P),
    VORTANE_FIELD(ChannelViscosity_P),
    VORTANE_FIELD(PowerCalPerSec),
    VORTANE_FIELD(PowerKW),
    VORTANE_FIELD(TemperatureRise),
    VORTANE_FIELD(OutletAverageMeltTemp),
    VORTANE_FIELD(MeanMeltTemp),
};

#undef VORTANE_FIELD

}  // namespace

std::span<const CaseField> CaseFields() { return Fields; }

}  // namespace vortane
