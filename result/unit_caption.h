#pragma once

#include <string>
#include <string_view>

#include "case/units.h"
#include "report/value_in_system.h"  // KeepsMetricUnit, ValueTextIn, TypedValueIn

namespace vortane {

// Captions and value texts of technical metric values shown in another unit
// system.

// "Total Pressure Drop (kgf/cm2)" in SI: "Total Pressure Drop (MPa)". A
// caption whose quantity keeps its unit, or that names none, stays as it is.
std::string CaptionIn(std::string_view caption, Quantity quantity, UnitSystem system);

// A value typed in the unit of `quantity` in `system` (a limit's bound) in its
// technical metric unit: InSystem's inverse, in extended precision and
// rounded once.
double FromSystem(double value, Quantity quantity, UnitSystem system);

}  // namespace vortane
