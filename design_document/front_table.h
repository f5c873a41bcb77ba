#pragma once

#include <string>

#include "design/pareto_front.h"
#include "study/design_rows.h"

namespace vortane {

// The front as a table of designs: the varied inputs, each design's texts and
// run in the front's order, the knee marked ("Knee"). The rows point into
// `front`, which must outlive the table.
DesignTable FrontTable(const FrontRequest& request, const FrontResult& front, char decimalSeparator);

// The question a front answers, as a reader reads it: "minimise
// TotalPressureDrop, maximise Barrier1ShearStress".
std::string ObjectivesText(const std::vector<Objective>& objectives);

}  // namespace vortane
