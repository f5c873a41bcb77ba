#pragma once

#include "case/case_data.h"
#include "model/least_pressure.h"

namespace vortane {

// Figures a designer judges a mixing section by, from the record of the last
// pass of a complete run.
struct DesignIndicators {
    double barrier1ShearStress;  // kPa
    double barrier2ShearStress;  // kPa
    double specificEnergy;       // kWh/kg
    double residenceTime;        // s
    LeastPressure leastInlet;    // kgf/cm2 and z, inlet channel
    LeastPressure leastOutlet;   // kgf/cm2 and z, outlet channel
};

// Drag shear stress over a barrier flight, kPa: τ = η γ̇ with η in gf·s/cm2 and
// γ̇ = π D N / (60 δ) in 1/s gives gf/cm2; 1 gf/cm2 = 0.0980665 kPa. The stress
// in the clearance decides how far agglomerates are broken up (dispersive
// mixing).
double BarrierShearStress(double viscosity, double shearRate);

// Specific energy input, kWh/kg: PowerKW over OutputRate (kg/hr).
double SpecificEnergy(const CaseData& data);

// Mean residence time in the section, s: the melt volume of the inlet and
// outlet channels, 2 n A L / cos θ (cm3, each channel SectionArea A over its
// length along the channel), over the volumetric throughput MassFlowRate /
// MeltDensity (cm3/s).
double MeanResidenceTime(const CaseData& data);

DesignIndicators DesignIndicatorsOf(const CaseData& data);

}  // namespace vortane
