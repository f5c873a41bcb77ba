#pragma once

#include <cstdint>

namespace vortane {

// One calculation case: every input and derived quantity of one press of OK.
// Reals are doubles (formulas run in extended precision and are rounded when
// stored); counts are 32-bit signed; flags report the stages' outcomes.
struct CaseData {
    // Inputs, in box order.
    double BarrelDiameter = 0;     // cm
    double ScrewSpeed = 0;         // rpm
    double OutputRate = 0;         // kg/hr
    double ChannelLength = 0;      // cm
    double BarrierWidth1 = 0;      // cm
    double BarrierWidth2 = 0;      // cm
    double BarrierClearance1 = 0;  // cm
    double BarrierClearance2 = 0;  // cm
    double ChannelDepth = 0;       // cm
    double CornerRadius = 0;       // cm
    double ChannelAngle = 0;       // deg
    std::int32_t InletChannelCount = 0;
    std::int32_t EffectiveChannelCount = 0;
    double InletMeltTemp = 0;      // degC
    double InletSolidTemp = 0;     // degC
    double SolidRatio = 0;         // mass fraction of unmelted solid
    double InletPressure = 0;      // kgf/cm2
    double MeltingPoint = 0;       // degC
    double MeltDensity = 0;        // g/cm3
    double SolidSpecificHeat = 0;  // cal/g.degC
    double HeatOfFusion = 0;       // cal/g
    double MeltSpecificHeat = 0;   // cal/g.degC
    double A0 = 0, A1 = 0, A11 = 0, A2 = 0, A22 = 0, A12 = 0;  // viscosity law

    // Stage flags.
    bool InputOk = false;
    bool FileOk = false;
    bool WidthOk = false;
    bool SectionOk = false;
    bool PressureOk = false;
    bool Converged = false;

    // Channel geometry and shape factors.
    double ChannelAngleRad = 0;      // rad
    double ChannelWidth = 0;         // cm
    double SectionArea = 0;          // cm2
    double EquivalentWidth = 0;      // cm
    double DragShapeFactor = 0;
    double PressureShapeFactor = 0;

    // Inlet energy balance and flow rates.
    double InletAverageMeltTemp = 0;  // degC
    double WorkingTemp = 0;           // degC
    double MassFlowRate = 0;          // g/s
    double ChannelVolumeFlow = 0;     // cm3/s per effective channel
    double ChannelShearRate = 0;      // 1/s
    double ChannelViscosity = 0;      // gf.s/cm2
    double Barrier1ShearRate = 0;     // 1/s
    double Barrier1Viscosity = 0;     // gf.s/cm2
    double Barrier2ShearRate = 0;     // 1/s
    double Barrier2Viscosity = 0;     // gf.s/cm2

    // Pressure profile (dimensionless ratios and relative pressures).
    double BarrierDragRatio = 0;
    double InletPressureFlowRatio = 0;
    double OutletPressureFlowRatio = 0;
    double BarrierPressureFlowRatio = 0;
    double InletDragFlowRatio = 0;
    double OutletDragFlowRatio = 0;
    double ProfileK = 0;
    double ProfileForcing = 0;
    double ProfileCoefA = 0;
    double ProfileCoefB = 0;
    double ProfileOffset = 0;
    double RelPressureInletEnd = 0;
    double RelPressureOutletStart = 0;
    double RelPressureOutletEnd = 0;
    double TotalPressureDrop = 0;  // kgf/cm2

    // Power consumption.
    double ChannelShearRate_P = 0;  // 1/s
    double ChannelViscosity_P = 0;  // gf.s/cm2

    // Temperature rise and iteration.
    double PowerCalPerSec = 0;         // cal/s
    double PowerKW = 0;                // kW
    double TemperatureRise = 0;        // degC
    double OutletAverageMeltTemp = 0;  // degC
    double MeanMeltTemp = 0;           // degC
};

}  // namespace vortane
