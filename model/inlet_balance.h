#pragma once

#include "case/case_data.h"

namespace vortane {

// Once per run: the feed's melt and solid parts mixed into one melt stream,
// InletAverageMeltTemp (degC), the first WorkingTemp and MassFlowRate (g/s).
void ComputeInletBalance(CaseData& data);

// Nominal shear rate over a gap (cm) under the barrel's surface speed, 1/s:
// γ = π D N / (60 gap).
double SurfaceShearRate(const CaseData& data, double gap);

// At the start of every pass: volume flow per effective channel (cm3/s), the
// shear rates in the channel and both clearances and the viscosities there at
// WorkingTemp.
void ComputeChannelFlow(CaseData& data);

// The viscosity law with the case's coefficients at WorkingTemp.
double MeltViscosity(const CaseData& data, double shearRate);

}  // namespace vortane
