#pragma once

#include <cstddef>
#include <vector>

#include "case/units.h"
#include "model/profile_along_channels.h"
#include "study/chart.h"
#include "study/material_fit.h"
#include "study/sweep_curves.h"

namespace vortane {

// The charts of a run, a sweep and a viscosity fit, as every front end shows
// them.

// The pressures in both channels (technical metric points, drawn in the
// pressure unit of `system`) and, on the second axis, the inlet flow fraction
// against the relative position z.
Chart ProfileChart(const std::vector<ChannelPoint>& points, UnitSystem system = UnitSystem::Metric);

// The curves a sweep's chart shows at most; beyond, evenly chosen ones, the
// first and last among them.
inline constexpr std::size_t SweepCurveLimit = 30;

// A panel per quantity of `curves` against the first swept input, one curve
// per value of the second (at most `curveLimit` of them); points that did not
// complete are gaps, points with warnings are ringed. Axes and values are in
// the units of `system`; the curves' labels keep the swept texts.
Chart SweepChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t curveLimit,
                 UnitSystem system = UnitSystem::Metric);

// The same for the one quantity `quantity` of `curves`.
Chart SweepQuantityChart(const SweepPlan& plan, const SweepCurves& curves, std::size_t quantity,
                         std::size_t curveLimit, UnitSystem system = UnitSystem::Metric);

// The measured points (open circles) and the fitted law (lines), viscosity in
// the file's unit against shear rate on log-log axes, one colour per
// temperature, named in the temperature unit of `system`.
Chart FitChart(const Measurements& measurements, const ViscosityFit& fit, char decimalSeparator,
               UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
