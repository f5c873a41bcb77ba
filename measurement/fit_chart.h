#pragma once

#include "case/units.h"
#include "chart/chart.h"
#include "measurement/material_fit.h"

namespace vortane {

// The chart of a viscosity fit, as every front end shows it.

// The measured points (open circles) and the fitted law (lines), viscosity in
// the file's unit against shear rate on log-log axes, one colour per
// temperature, named in the temperature unit of `system`.
Chart FitChart(const Measurements& measurements, const ViscosityFit& fit, char decimalSeparator,
               UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
