#pragma once

#include <QString>

#include <functional>

#include "case/units.h"

class QComboBox;
class QMenu;

namespace vortane {

// The unit system the windows show values in: the one last chosen from
// View > Units, technical metric at first.
UnitSystem RememberedUnitSystem();

// Adds View > Units: Technical Metric, SI and US Customary, one checked at a
// time, starting from `current`. A choice is remembered and handed to
// `chosen`.
void AddUnitMenu(QMenu& view, UnitSystem current, const std::function<void(UnitSystem)>& chosen);

// The quantities a chart or a limit may name (ChartableQuantities) as the
// items of `combo` from its `first`, each its caption in `system` as the
// Results window shows it, after `prefix`, its data the quantity's name.
// Listed already, they are captioned anew in `system`, the choice kept.
void ListQuantities(QComboBox& combo, UnitSystem system, const QString& prefix = {}, int first = 0);

}  // namespace vortane
