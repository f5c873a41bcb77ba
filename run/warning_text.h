#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case/units.h"
#include "case/warning_kind.h"
#include "model/input_domain.h"

namespace vortane {

// A number a warning states: its value in technical metric and what it
// measures.
struct WarningValue {
    double value = 0;
    Quantity quantity = Quantity::Dimensionless;
};

// A warning as data: its kind, what it is about and the numbers it states.
//   sound-range: `breach`, the input and the range it lies outside; `values`
//     the input's value, then that of the input the range refers to, if any.
//   unmelted-feed: the average melt temperature at the inlet, MeltingPoint.
//   negative-pressure: `subject` the channel, "inlet" or "outlet"; the least
//     pressure along it, then where it lies, z.
//   negative-power: the power.
//   fitted-range: `subject` where a shear rate was ("the channel", "the
//     clearance of barrier 1", ...), empty for the melt temperature; the
//     value, then the low and high ends of the data the law was fitted on.
struct RunWarning {
    WarningKind kind = WarningKind::SoundRange;
    std::string_view subject;
    std::vector<WarningValue> values;
    DomainBreach breach = {};
};

// The warning's sentence in `system`. A number whose quantity keeps its
// technical metric unit there reads as in technical metric; another is
// converted (a temperature difference without the offset) and followed by
// its unit: a computed one to seven significant digits, a typed one (an
// input, an end of a fitted range) to the fewest digits that give it.
// In technical metric:
//   "the pressure in the inlet channel falls to -1.25 kgf/cm2 at z = 0.350:
//   below zero the channel cannot run full"
std::string WarningText(const RunWarning& warning, UnitSystem system, char decimalSeparator);

// `ScrewSpeed = 0 is outside its sound range, above 0`; in another system a
// converted value is followed by its unit: `ChannelDepth = 0.1 in is outside
// its sound range, above 0`.
std::string BreachText(const DomainBreach& breach, char decimalSeparator, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
