#pragma once

#include <functional>

#include "case/units.h"

class QMenu;

namespace vortane {

// The unit system the windows show values in: the one last chosen from
// View > Units, technical metric at first.
UnitSystem RememberedUnitSystem();

// Adds View > Units: Technical Metric, SI and US Customary, one checked at a
// time, starting from `current`. A choice is remembered and handed to
// `chosen`.
void AddUnitMenu(QMenu& view, UnitSystem current, const std::function<void(UnitSystem)>& chosen);

}  // namespace vortane
