#pragma once

#include <string>

#include "case/units.h"

namespace vortane {

// Value texts of technical metric values shown in another unit system, by the
// report's rules: what a run's warnings and its tables of results share.

// Whether `system` shows `quantity` in its technical metric unit (rpm, deg,
// s and every dimensionless value), so its text stays as the report writes it.
bool KeepsMetricUnit(Quantity quantity, UnitSystem system);

// A technical metric value in `system`, seven significant digits.
std::string ValueTextIn(double metricValue, Quantity quantity, UnitSystem system, char decimalSeparator);

// A typed value (an input, a swept or a found one) in `system`: where its
// unit changes, converted and rounded to 15 significant digits, the digits a
// double holds, so that the conversion's last-bit error does not show (0.011
// cm is 0.11 mm, not 0.10999999999999999).
double TypedValueIn(double metricValue, Quantity quantity, UnitSystem system);

// Its text: the fewest digits that read back as that value.
std::string TypedValueTextIn(double metricValue, Quantity quantity, UnitSystem system, char decimalSeparator);

}  // namespace vortane
